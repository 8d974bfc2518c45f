// OSC over UDP: an address space that mirrors the web remote's controls
// (/velantra/play, /velantra/fader/N, ...; the table is in osc_message.h)
// driving the desk's controls, and feedback of the same addresses to the
// clients that asked for it. Off until the settings switch it on.
//
// Feedback: a client that sent /velantra/feedback (or /velantra/subscribe)
// gets every value at once, then what changed, polled from the desk at most
// ten times a second (osc_desk.h lists the messages). At most
// MaxFeedbackClients; a client is dropped after FeedbackSilence without any
// message from its host, or after FeedbackFailuresMax sends in a row failed.
//
// liblo without threads: the server's socket is watched by a
// QSocketNotifier and read on the GUI thread, so nothing runs beside the
// desk. QtCore; GUI thread.
#pragma once

#include "osc/osc_message.h"
#include "storage/settings_file.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

namespace velantra {

class DeskControls;

namespace osc {

inline constexpr int MaxFeedbackClients = 8;
inline constexpr std::chrono::minutes FeedbackSilence{10};
inline constexpr int FeedbackFailuresMax = 3;

struct OscStatus {
    bool listening = false;
    int port = 0;
    QString error;  // why it does not listen, when it should
    int feedbackClients = 0;
    int accepted = 0;  // messages carried out since it last started listening
    int refused = 0;   // messages refused (unknown address, wrong arguments, broken packet)
};

class OscServer : public QObject {
    Q_OBJECT
public:
    // desk must outlive the server.
    explicit OscServer(DeskControls& desk, QObject* parent = nullptr);
    ~OscServer() override;

    // Listens as the settings say (Enabled, Port), or stops. A refused port,
    // or one that cannot be opened, is said in status().error and message().
    void apply(const OscSettings& settings);
    // statusChanged follows listening, error and feedbackClients; the counts
    // are read when wanted.
    OscStatus status() const;

    // Sends what changed since the last poll to the feedback clients and
    // drops those gone silent. The feedback timer calls it ten times a second.
    void pollDesk();
    // How long a feedback client may stay silent (FeedbackSilence unless set).
    void setFeedbackSilence(std::chrono::milliseconds silence);

signals:
    void statusChanged();
    // A line for the log and the status line.
    void message(const QString& text);

private:
    struct State;
    struct Callbacks;  // liblo's handlers
    void start(int port);
    void stop();
    void receive();
    // One message from host:sourcePort.
    void handle(std::string_view address, std::span<const Arg> args, const QString& host, const QString& sourcePort);
    void refuse(std::string_view address, const QString& from, Refusal why);
    static QString reason(Refusal why);
    void subscribe(const QString& host, const QString& sourcePort, int port);
    void unsubscribe(const QString& host, const QString& sourcePort, int port);
    void heardFrom(const QString& host);
    void dropClient(std::size_t i, const QString& line);

    DeskControls& desk_;
    std::unique_ptr<State> state_;
};

}  // namespace osc
}  // namespace velantra
