// OSC over UDP: an address space that mirrors the web remote's controls
// (/velantra/play, /velantra/fader/N, ...) driving the desk's controls, and
// feedback of the same addresses to the clients that asked for it. Off until
// the settings switch it on. liblo; QtCore; GUI thread.
#pragma once

#include "storage/settings_file.h"

#include <QObject>
#include <QString>

namespace velantra {

class DeskControls;

namespace osc {

struct OscStatus {
    bool listening = false;
    int port = 0;
    QString error;  // why it does not listen, when it should
    int feedbackClients = 0;
};

class OscServer : public QObject {
    Q_OBJECT
public:
    // desk must outlive the server.
    explicit OscServer(DeskControls& desk, QObject* parent = nullptr);
    ~OscServer() override;

    // Listens as the settings say (Enabled, Port), or stops.
    void apply(const OscSettings& settings);
    OscStatus status() const;

signals:
    void statusChanged();
    // A line for the log and the status line.
    void message(const QString& text);
};

}  // namespace osc
}  // namespace velantra
