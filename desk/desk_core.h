// The desk below every surface: the show and its files, the settings, the
// interface and its supervision, the outputs, the player with its controls,
// MIDI control and the undo copy, started and ended in a fixed order. The
// window is one view of it and the headless player another: both build the
// same desk and differ only in what they show and ask. QtCore; GUI thread
// (the thread of the event loop) unless said otherwise.
#pragma once

#include "desk/output_rig.h"
#include "engine/scene_ops.h"
#include "journal/recovery.h"
#include "journal/recovery_copies.h"
#include "link/d2xx.h"
#include "storage/channel_tables.h"
#include "storage/file_result.h"
#include "storage/settings_file.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace velantra {

class DeskControls;
class Player;
class ShowMemory;
namespace midi {
class MidiControl;
class TargetAccess;
}  // namespace midi

// The web remote's PIN: six random digits.
QString makeRemotePin();

class EditJournal;

class DeskCore : public QObject {
    Q_OBJECT
public:
    // Who runs the output tick: the output thread every 50 ms, or the caller
    // (cycle().tick(), a test stepping the output by hand; the interface link
    // then writes each frame before tick() returns).
    enum class OutputClock { Thread, ByHand };

    // What reading a show came to.
    enum class ReadOutcome {
        Loaded,   // the show was replaced by the file
        Missing,  // no such file (or not a regular file): said in status, the show unchanged
        Failed,   // an I/O failure, said in fileError; the open stops there
    };

    // The scene commands; each but the copy to the clipboard is refused while the show plays.
    enum class SceneCommand { Insert, Delete, Clear, CopyPrevious, CopyToClipboard, PasteAsNew, PasteOver };

    // driver: the interface driver (nullptr: the system's).
    explicit DeskCore(std::unique_ptr<D2xxProvider> driver = nullptr, OutputClock clock = OutputClock::Thread,
                      QObject* parent = nullptr);
    // The output stops before anything it uses goes.
    ~DeskCore() override;

    Engine& engine() { return rig_->engine(); }
    UsbLink& link() { return rig_->link(); }
    OutputCycle& cycle() { return rig_->cycle(); }
    OutputThread& outputThread() { return rig_->thread(); }
    NetworkOutputs& network() { return rig_->network(); }
    Player& player() { return *player_; }
    DeskControls& controls() { return *controls_; }
    // Gobo codes, border and name colours of every channel (the colour file).
    ChannelTables& channelTables() { return channelTables_; }
    // The MIDI control; nullptr until startMidi.
    midi::MidiControl* midi() { return midi_; }
    OutputClock outputClock() const { return clock_; }
    // "TimerPolling": poll() every second, from startOutput to stopOutput.
    QTimer* pollTimer() const { return pollTimer_; }

    // --- Start-up, in this order ---
    // The interface is opened (the link lists the bus and opens device 0),
    // the show memory is a new show with the identity patch, the fixed data
    // directory is made and cleared of save leftovers, and the output tick
    // starts (on the thread clock) before the settings and the last show;
    // the interface is polled every second from here on.
    void startOutput();
    // The settings file is read and applied: the network outputs, the kind of
    // each interface by its serial number, the conveyor's list, the names of
    // the last show and of the patch file, the language. settingsRead follows.
    void readSettings();
    // The file named at start (a patch file by its extension, else a show),
    // else the last show of the settings. A named file that cannot be read is
    // said through fileError and the start goes on without it. True when a
    // patch file was named and read (it then stands for the settings' patch).
    bool openAtStart(const QString& named);
    // The colour file: read, or written fresh when missing (said in status).
    void loadColours();
    // The colour file written (at close); a failure is said through fileError.
    FileResult saveColours();
    // The patch file at path: read or, missing, the identity patch written
    // to the default patch file, which is then the patch file in use. What
    // it came to, for the surface to say.
    struct PatchAtStart {
        QString file;       // the patch file in use; empty when the read or the write failed
        FileResult result;  // the failure, if any
        QStringList notes;  // texts for the status line
    };
    // The further universes' file is read with it (a refusal is among the notes).
    PatchAtStart loadPatchAtStart(const QString& path);
    // The further universes written to their file (after an edit on the network page).
    FileResult saveUniverses();
    static PatchAtStart readPatchAtStart(Engine& engine, const QString& path);
    // What a patch just read asks to be said: entries replaced by direct
    // output, and a channel routed into the start code (kept, as stored files may mean it).
    static QStringList patchNotes(int replaced, const Engine& engine);
    // The MIDI control over the surface's targets (made before the surface's
    // MIDI page); its bindings file is read last at start-up, by loadMidiBindings.
    void startMidi(midi::TargetAccess& targets);
    // A refused bindings file is said through fileError and leaves the surfaces unbound.
    FileResult loadMidiBindings();

    // --- The show ---
    // The name the show is read from (the open dialog's) and saved under.
    QString& openName() { return openName_; }
    QString& saveName() { return saveName_; }
    // The show at openName() replaces the one in memory (the undo copy goes).
    ReadOutcome readShow();
    // The Open command after its dialog: path read as readShow does, then the
    // tempo applied. showOpened follows unless the read failed.
    ReadOutcome openShow(const QString& path);
    // A show the player or the conveyor wants now (as readShow, from path).
    void loadShow(const QString& path);
    // Save under saveName(): the header written, showNamed set on success.
    FileResult saveShow();
    // Writes the show to path as it stands (showImage shapes the copy written).
    FileResult writeShow(const QString& path);
    // The autosave copy; a failure is said in autoSaveFailed until a save succeeds.
    FileResult autoSave();
    // A new, empty show.
    void newShow();
    // Before a show replaces the one in memory (the picture editor gives back what it borrowed).
    std::function<void()> beforeShowReplaced;
    // Shapes the image a save writes (the picture editor's borrowed cells); empty: the memory as it is.
    std::function<void(ShowMemory&)> showImage;

    // --- The edit journal (the window's; velantra-player journals nothing) ---
    // From now on every edit of the show is journaled (Vela43.vlj), on the
    // disk within about a second, against the show as last opened or saved.
    void startJournal();
    EditJournal* journal() const { return journal_; }
    // A clean end: the last edits written; a journal with edits the last save
    // lacks is set aside in the recovery folder, and the journal file removed.
    void endJournal();
    // What the journal left by a run that did not end cleanly gives back,
    // found by startJournal() (which has set the journal aside already): the
    // surface asks the operator, then recovers it or leaves it aside.
    const JournalRecovery& journalLeft() const;
    // The recovered show replaces the one in memory (which is kept as a
    // recovery copy first), under the show's own name when it has a file;
    // the recovered edits are journaled again at once.
    void recover(const JournalRecovery& recovery);
    // The recovery folder's copies and journals, newest first.
    std::vector<RecoveryEntry> recoveryEntries() const;
    // Opens a copy or a journal of the folder as recover() does; false, with
    // the reason said through fileError, when it cannot be read or applied.
    bool openRecoveryEntry(const RecoveryEntry& entry);
    // The show in memory kept as a recovery copy (before a new show, an open,
    // or a close whose save was cancelled), unless the newest copy or a new
    // show is the same.
    void keepRecoveryCopy();
    // The image of a new, empty show.
    static QByteArray newShowImage();

    // --- Settings, patch name, language ---
    Settings currentSettings() const;
    FileResult writeSettings();
    QString& patchName() { return patchName_; }
    QString& language() { return language_; }
    // The web remote's and OSC's settings, kept for the surfaces that serve
    // them (the window's, velantra-player's). A missing PIN is made when the
    // settings are read.
    RemoteSettings& remoteSettings() { return remote_; }
    OscSettings& oscSettings() { return osc_; }

    // --- The interface ---
    // Every second: the slots a DMX USB Pro is sent (those the patch fills,
    // at least 24), the link's poll (reopen, widget questions), the network
    // outputs' interfaces, the interface log line.
    void poll();
    // The kind chosen for the device the link has open (or opens next), kept
    // under its serial number and written to the settings file at once.
    void chooseKind(int choice);
    // The demo box: nothing is written to the interface, not even the widget's questions.
    void setOffline(bool on);
    bool offline() const;

    // --- Editing ---
    bool sceneCommand(SceneCommand command);
    void takeUndo();
    void restoreUndo();
    bool playing() const;

    // --- The end ---
    // The output stops (sACN receivers let go at once), the link closes, the
    // player's timers stop. Runs once.
    void stopOutput();
    // The program was told to end: the output stops and the autosave copy,
    // the colour file and the settings are written without asking; failures
    // go to the error output.
    void shutDownOnSignal();

signals:
    // A text for the status line (the window) or the log (the player).
    void status(const QString& text);
    // A file could not be read or written: the window shows it in a box.
    void fileError(const QString& message);
    void settingsRead(const velantra::Settings& settings);
    // A show file has replaced the show in memory.
    void showLoaded(const QString& path);
    // The Open command is done (the show replaced, or missing and kept).
    void showOpened();
    // The one-level undo can (true) or can no longer (false) be taken back.
    void undoAvailable(bool available);
    // A failed autosave (its message), or an empty text once a save succeeds.
    void saveFailure(const QString& message);
    // After a poll: the interface may have opened, closed or changed its kind.
    void polled();

private:
    static std::unique_ptr<std::array<std::uint8_t, ShowFileSize>> imageOf(const ShowMemory& memory);
    void beginJournal(const QString& showName);
    QString journalName() const;
    std::vector<BaseCandidate> journalBases() const;
    QByteArray baseImageOf(const JournalRecovery& recovery) const;
    QByteArray currentImage();
    void keepJournalBase(const JournalHeader& header);
    // image (ShowFileSize bytes) replaces the show, under showName (empty: no file).
    void replaceShow(const QByteArray& image, const QString& showName);

    std::unique_ptr<OutputRig> rig_;
    OutputClock clock_;
    Player* player_ = nullptr;
    DeskControls* controls_ = nullptr;
    EditJournal* journal_ = nullptr;
    std::unique_ptr<JournalRecovery> journalLeft_;
    midi::MidiControl* midi_ = nullptr;
    QTimer* pollTimer_ = nullptr;
    ChannelTables channelTables_;
    UndoMemory undo_;
    QString openName_;
    QString saveName_;
    QString patchName_;
    QString language_;
    QString interfaceKinds_;  // the settings' "Interfaces"/"Kinds"
    RemoteSettings remote_;
    OscSettings osc_;
    bool offline_ = false;
    bool stopped_ = false;
};

}  // namespace velantra
