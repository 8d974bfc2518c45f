// The web remote: a page for phones and tablets served by the program, and a
// WebSocket through which every open page drives the desk's controls and
// follows them. Off until the settings switch it on; a page controls nothing
// before it gave the PIN. QtCore, QtNetwork, QtHttpServer, QtWebSockets; GUI
// thread.
#pragma once

#include "storage/settings_file.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace velantra {

class DeskControls;

namespace remote {

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
    // desk must outlive the server.
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
};

}  // namespace remote
}  // namespace velantra
