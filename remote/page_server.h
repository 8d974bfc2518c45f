// The web remote's HTTP side: the page's three files from the program's
// resources, and the WebSocket upgrade at RemoteServer::SocketPath for a
// page of this server's own origin, handed to QtWebSockets through
// QAbstractHttpServer (QHttpServer 6.4 would answer the upgrade's route
// itself). Everything else: 404; a socket asked for by a page from
// elsewhere: 403, before any handshake. QtHttpServer; GUI thread.
#pragma once

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QString>

#include <functional>

namespace velantra::remote {

// An address as the log and the page say it (an IPv4-mapped one as IPv4).
QString addressText(const QHostAddress& address);

class PageServer final : public QAbstractHttpServer {
public:
    // foreign: told the Origin and the address of a refused socket request.
    explicit PageServer(std::function<void(const QString& origin, const QString& from)> foreign);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    std::function<void(const QString&, const QString&)> foreign_;
};

}  // namespace velantra::remote
