#include "remote/page_server.h"

#include "remote/remote_server.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>

#include <array>
#include <utility>

namespace velantra::remote {

namespace {

// The page that asks for the socket must come from the address it asks: its
// Origin is the scheme, host and port of the request's Host.
bool sameOrigin(const QHttpServerRequest& request)
{
    const QByteArray host = request.value("host");
    return !host.isEmpty() && request.value("origin").compare("http://" + host, Qt::CaseInsensitive) == 0;
}

bool asksForSocket(const QHttpServerRequest& request)
{
    return request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
}

struct Resource {
    const char* path;
    const char* file;
    const char* mime;
};
constexpr std::array<Resource, 3> Resources{{
    {"/", ":/remote/index.html", "text/html; charset=utf-8"},
    {"/remote.css", ":/remote/remote.css", "text/css; charset=utf-8"},
    {"/remote.js", ":/remote/remote.js", "text/javascript; charset=utf-8"},
}};

}  // namespace

QString addressText(const QHostAddress& address)
{
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4).toString() : address.toString();
}

PageServer::PageServer(std::function<void(const QString& origin, const QString& from)> foreign)
    : foreign_(std::move(foreign))
{}

bool PageServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const QString path = request.url().path();
    if (asksForSocket(request)) {
        if (path != QLatin1String(RemoteServer::SocketPath)) {
            return false;
        }
        if (!sameOrigin(request)) {
            foreign_(QString::fromLatin1(request.value("origin").left(100)), addressText(request.remoteAddress()));
            return false;
        }
        return true;  // the WebSocket server takes the socket
    }
    if (request.method() != QHttpServerRequest::Method::Get) {
        return false;
    }
    for (const Resource& resource : Resources) {
        if (path != QLatin1String(resource.path)) {
            continue;
        }
        QFile file(QLatin1String(resource.file));
        if (!file.open(QIODevice::ReadOnly)) {
            return false;
        }
        makeResponder(request, socket)
            .write(file.readAll(), {{"Content-Type", resource.mime},
                                    {"Cache-Control", "no-store"},
                                    {"X-Content-Type-Options", "nosniff"},
                                    {"X-Frame-Options", "DENY"},
                                    {"Referrer-Policy", "no-referrer"},
                                    {"Content-Security-Policy",
                                     "default-src 'none'; script-src 'self'; style-src 'self'; connect-src 'self'; "
                                     "base-uri 'none'; form-action 'none'; frame-ancestors 'none'"}});
        return true;
    }
    return false;
}

void PageServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const bool forbidden = asksForSocket(request) && request.url().path() == QLatin1String(RemoteServer::SocketPath);
    makeResponder(request, socket)
        .write(forbidden ? QByteArray("Forbidden: the page is not this remote's own\n") : QByteArray("Not found\n"),
               {{"Content-Type", "text/plain; charset=utf-8"}},
               forbidden ? QHttpServerResponder::StatusCode::Forbidden : QHttpServerResponder::StatusCode::NotFound);
}

}  // namespace velantra::remote
