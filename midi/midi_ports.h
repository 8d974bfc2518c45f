// The system's MIDI ports through RtMidi: every input and output port listed
// by name, the chosen inputs (one controller, or all) opened and the chosen
// feedback output, a rescan every 2 s that finds ports plugged in later and
// reopens them by name, and ports unplugged marked gone while the rest goes
// on. A system that stops (a JACK server, ALSA's sequencer device) is said
// once, its ports are closed, and they are reopened by name when it comes
// back. A JACK server is looked for on the watch's own thread (JackWatch): a
// server that does not answer does not hold the GUI thread; the ports' own
// clients open once the watch has reached it. Messages arrive on RtMidi's
// threads, are parsed there and wait in an inbox; the GUI thread takes them at
// most once per frame (20 ms).
//
// The MIDI system is ALSA's sequencer on Linux unless JACK is chosen (the
// setting, or VELANTRA_MIDI_API=alsa|jack, which wins).
#pragma once

#include "midi/inbox.h"
#include "midi/midi_message.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTimer;
class RtMidiIn;
class RtMidiOut;

namespace velantra::midi {

class JackWatch;

class MidiPorts : public QObject {
    Q_OBJECT
public:
    struct Port {
        std::string name;        // as the system names it
        std::string controller;  // without the system's numbers
        bool open = false;
    };
    // GUI thread. What the GUI thread does with each message taken.
    using Handler = std::function<void(const std::string& controller, const Received& received)>;

    explicit MidiPorts(QObject* parent = nullptr);
    ~MidiPorts() override;

    // GUI thread. The MIDI system ("alsa", "jack", "" for the platform's
    // own); the environment variable overrides it. Reopens every port; the
    // first call opens the ports and starts the rescans.
    void setApi(const std::string& api);
    // GUI thread. The system in use ("ALSA", "JACK"), and why it is not
    // there (empty while it runs).
    QString apiName() const;
    QString systemError() const { return systemError_; }
    // GUI thread. The inputs to open (a controller's name, or "*" for every
    // one) and the feedback output ("" for none). Opens and closes at once
    // once the ports are scanned (after setApi); before, the first scan does.
    void choose(const std::string& input, const std::string& output);
    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // GUI thread. Looks for the system, lists the ports, opens what is
    // chosen and present, closes what is gone. A JACK server counts as
    // there once the watch has reached it (rescan never waits for the look).
    // The scan timer runs it every 2 s, and the watch at once when a server
    // goes or is reached.
    void rescan();
    const std::vector<Port>& inputs() const { return inputs_; }
    const std::vector<Port>& outputs() const { return outputs_; }
    // GUI thread. Chosen ports that are not there now (unplugged), with
    // whether each is the output.
    std::vector<std::pair<std::string, bool>> missing() const;
    // GUI thread. Whether the feedback port is open.
    bool outputOpen() const;

    // GUI thread. Sends a message to the feedback port, if open. Never waits
    // for the device (the system's queue takes it).
    void send(const Message& message);
    // Any thread. Messages the inbox had to drop (a flood beyond its room).
    std::uint64_t dropped() const { return inbox_.dropped(); }

signals:
    // The listing or what is open changed.
    void portsChanged();
    // The feedback port was opened (again): the surface wants every value.
    void outputOpened();
    // A controller's input was closed (unplugged, no longer chosen, or its
    // system stopped): what it held down is to be let go.
    void inputClosed(const std::string& controller);

private:
    struct OpenInput;
    static void callback(double stamp, std::vector<unsigned char>* bytes, void* user);
    bool systemThere();
    void dropSystem();
    void createListers();
    // Closes every port; tell: say which inputs closed.
    void closeAll(bool tell);
    void take();
    void takeSoon();
    bool wanted(const std::string& controller) const;

    std::string api_;
    QString systemError_;
    std::unique_ptr<JackWatch> jack_;
    std::optional<bool> systemUp_;  // unknown until looked for
    int session_ = 0;               // the system's reach the ports belong to
    std::string input_ = "*";
    std::string output_;
    std::unique_ptr<RtMidiIn> inLister_;
    std::unique_ptr<RtMidiOut> outLister_;
    std::vector<std::unique_ptr<OpenInput>> open_;
    std::unique_ptr<RtMidiOut> out_;
    std::string outName_;
    std::vector<Port> inputs_;
    std::vector<Port> outputs_;
    int nextId_ = 1;
    Inbox inbox_;
    Handler handler_;
    QTimer* scan_;
    QTimer* frame_;
    QElapsedTimer lastTake_;
};

}  // namespace velantra::midi
