// A show played without a window: the same desk core as the window's, on
// the real outputs (the USB interface and the network outputs as the
// settings file configures them), started from the command line or by a
// service manager. It never asks anything; what happens it logs.
#pragma once

#include "desk/desk_core.h"
#include "link/d2xx.h"
#include "link/usb_texts.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace velantra {

class DeskControls;
class DeskTargets;
class Engine;
class Player;

struct HeadlessOptions {
    QString show;              // empty: the last show of the settings file
    bool conveyor = false;     // play the conveyor's list, one show after another
    std::optional<int> tempo;  // 10..170; none: the show's own
    bool automats = false;     // both automats run on their own
    bool autosave = false;     // the autosave copy every 3 minutes and at the end
    QString language;          // --lang: ru or en; empty: the settings file's, else the system's
};

// The options of a command line (arguments without the program name), or
// the message that says what is wrong with it.
struct ParsedOptions {
    HeadlessOptions options;
    QString error;
};
ParsedOptions parseHeadlessOptions(const QStringList& arguments);

// GUI thread. The log line of the interface's state: demo mode (offline),
// open with its device and driver, or closed and why: the driver's last
// error, else what the device listing found.
QString interfaceLogLine(bool offline, bool open, const QString& device, UsbStatus status, const UsbListing& listing);

class HeadlessPlayer : public QObject {
    Q_OBJECT
public:
    // GUI thread (the thread of the event loop). driver: the interface driver
    // (nullptr: the system's); clock: who runs the output tick (a test may
    // step it by hand, as it steps the window's).
    explicit HeadlessPlayer(std::unique_ptr<D2xxProvider> driver = nullptr, QObject* parent = nullptr,
                            DeskCore::OutputClock clock = DeskCore::OutputClock::Thread);
    ~HeadlessPlayer() override;

    // Starts the outputs and plays. False (with the reason logged) when there
    // is nothing to play.
    bool start(const HeadlessOptions& options);
    // Stops the outputs; writes the autosave copy when it was asked for.
    // Runs once; later calls do nothing.
    void stop();

    DeskCore& core() { return *core_; }
    Player& player();
    DeskControls& desk();
    Engine& engine();

private:
    // Says in the log when the window's edit journal waits to be recovered.
    void sayJournalWaiting();
    void logInterface();
    void startMidi();

    DeskCore* core_;
    DeskTargets* deskTargets_ = nullptr;
    QString interfaceLine_;  // the last interface state logged
    bool autosave_ = false;
    bool stopped_ = false;
};

}  // namespace velantra
