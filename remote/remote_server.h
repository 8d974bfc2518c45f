// The web remote: a page for phones and tablets served by the program, and a
// WebSocket through which every open page drives the desk's controls and
// follows them. Off until the settings switch it on; a page controls nothing
// before it gave the PIN. QtCore, QtNetwork, QtHttpServer, QtWebSockets; GUI
// thread.
#pragma once

#include "remote/remote_limits.h"
#include "storage/settings_file.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QTimer;
class QWebSocket;

namespace velantra {

class DeskControls;

namespace remote {

class PageServer;

struct RemoteStatus {
    bool listening = false;
    quint16 port = 0;
    QStringList addresses;  // what a phone opens: "http://192.168.1.20:9090/", one per address
    QString error;          // why it does not listen, when it should
    int pages = 0;          // open pages
    int controlling = 0;    // of them, those that gave the PIN
};

class RemoteServer : public QObject {
    Q_OBJECT
public:
    // Pages open at once; a further one is refused.
    static constexpr int MaxPages = 8;
    // Messages a page may send in a second; one more closes it.
    static constexpr int MaxMessagesPerSecond = 60;
    // Every page hears what changed at most once in this period (ms).
    static constexpr int UpdatePeriodMs = 100;
    // The WebSocket's path on the server.
    static constexpr char SocketPath[] = "/ws";

    // desk must outlive the server, or the server be destroyed with no
    // event handled between (its destructor does not touch the desk).
    explicit RemoteServer(DeskControls& desk, QObject* parent = nullptr);
    ~RemoteServer() override;

    // Listens as the settings say (Enabled, Port, Bind, Pin), or stops. A
    // refused value or a port in use is said in status().error and message().
    void apply(const RemoteSettings& settings);
    RemoteStatus status() const;

signals:
    void statusChanged();
    // A line for the log and the status line.
    void message(const QString& text);

private:
    struct Page;

    QString listen();
    // Closes every page; letGo: the pictures pages hold down go off.
    void stop(const QString& reason, bool letGo);
    void takeConnections();
    void refuse(std::unique_ptr<QWebSocket> socket, int code, const QString& reason);
    void received(Page& page, const QString& text);
    void checkPin(Page& page, const QString& pin);
    void close(Page& page, int code, const QString& reason);
    void gone(QWebSocket* socket);
    void publish();
    void send(Page& page, const QJsonObject& object);
    void setCounts();

    DeskControls& desk_;
    RemoteSettings settings_;
    RemoteStatus status_;
    std::unique_ptr<PageServer> http_;
    std::vector<std::unique_ptr<Page>> pages_;
    PinGuard pins_;
    QElapsedTimer clock_;
    QTimer* publishTimer_ = nullptr;
};

}  // namespace remote
}  // namespace velantra
