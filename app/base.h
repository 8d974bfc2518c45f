// TBaseForm: the main window, one view of the desk core below it. It builds
// the menus, the tool bar, the status line and the regions, asks for names
// and confirmations through its dialogs, shows what the desk reports and
// holds the common refresh that every page registers with. The show, the
// files, the interface and the outputs are the desk core's.
#pragma once

#include "app/setup_commands.h"
#include "app/window_pages.h"
#include "desk/desk_controls.h"
#include "desk/desk_core.h"
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "i18n/language.h"
#include "link/d2xx.h"
#include "link/usb_texts.h"
#include "programming/graph_zoom.h"
#include "shell/shell.h"

#include <QColor>
#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QTabWidget;
class QTimer;

namespace velantra {

class FileDialog;
class NetworkOutputs;
class Player;
namespace midi {
class MidiControl;
}  // namespace midi
class TStaticForm;
class THandScanForm;
class RemoteGroup;
namespace remote {
class RemoteServer;
}
namespace osc {
class OscServer;
}

class TBaseForm : public QMainWindow, public Shell, public MainPages {
    Q_OBJECT
    // The desk this window shows: made first, it goes before the widgets.
    DeskCore* core_;

public:
    using OutputClock = DeskCore::OutputClock;

    // GUI thread. driver: the interface driver to use (nullptr: the system's).
    // showToOpen: a show to open at start instead of the last one (as the
    // Open command opens it).
    explicit TBaseForm(std::unique_ptr<D2xxProvider> driver = nullptr, QWidget* parent = nullptr,
                       OutputClock clock = OutputClock::Thread, const QString& showToOpen = {});
    ~TBaseForm() override;

    DeskCore& core() { return *core_; }
    Engine& engine() override { return core_->engine(); }
    DeskControls& desk() override { return core_->controls(); }
    Player& player() { return core_->player(); }
    UsbLink& link() { return core_->link(); }
    OutputThread& outputThread() { return core_->outputThread(); }
    OutputCycle& outputCycle() { return core_->cycle(); }
    NetworkOutputs& networkOutputs() { return core_->network(); }
    midi::MidiControl& midiControl() { return *core_->midi(); }

    // Shell, GUI thread.
    void OutStatus(const QString& text) override;
    void ReturnDataSystem() override;
    void ReturnPageControlAll() override;
    void restoreUndo() override;
    FileDialog& openDialogShou() override { return *openDialogShou_; }
    bool pageShown(const QWidget* page) const override;
    void loadShow(const QString& path) override;
    // GUI thread. Registers the refresh of a page of the main page control,
    // run by ReturnPageControlAll while that page is shown.
    void registerPageRefresh(InputPage page, std::function<void()> refresh);
    // GUI thread. Registers a part of the show-level refresh (ReturnDataSystem).
    void registerDataSystemRefresh(std::function<void()> refresh);

    // GUI thread. The Open command's steps after its dialog, for the show path.
    void openShow(const QString& path);
    // GUI thread. Asks for a name and saves the show under it; false when
    // the dialog is cancelled or the write fails (said in the error box).
    bool SaveFileAs();
    void SaveFile();
    // GUI thread. Closes the static picture editor, giving back what it
    // borrowed; does nothing when it is closed. Run before another show replaces this one.
    void closePictureEditor();
    // GUI thread. The window colour: the options page's colour group from the
    // show, and the window in the show's colour or, switched off, the system's.
    void SetColorAll();
    // GUI thread. The program was told to end (SIGTERM, SIGINT, SIGHUP): the
    // desk core stops the output and writes the autosave copy, the colour
    // file and the settings without asking; the caller then exits.
    void shutDownOnSignal();
    // GUI thread. Snapshot of the whole show memory for the one-level undo.
    void ToMemoryUndo();
    // GUI thread. Caption := CaptionPrefix + text.
    void setCaption(const QString& text);
    const QString& captionPrefix() const { return captionPrefix_; }

    FileDialog& saveDialogShou() { return *saveDialogShou_; }
    // Gobo codes, border and name colours of every channel (the desk core's).
    ChannelTables& channelTables;
    // Zoom of the channel graph, set by opening a show and by new show.
    GraphZoom graphZoom;

    const WindowPages& pages() const { return pages_; }
    QTabWidget* pageControlInput() const { return pages_.pageControlInput; }
    QWidget* inputPage(InputPage page) const;
    SceneGroup* sceneGroup() const { return pages_.sceneGroup; }
    ChannelSetupGroup* channelSetupGroup() const { return pages_.channelSetupGroup; }
    ConveyorGroup* conveyorGroup() const { return pages_.conveyorGroup; }
    OptionsPage* optionsPage() const { return pages_.optionsPage; }
    FaderPage* faderPage() const { return pages_.faderPage; }
    SequencerPage* sequencerPage() const { return pages_.sequencerPage; }
    RateTab* rateTab() const { return pages_.rateTab; }
    LevelsTab* levelsTab() const { return pages_.levelsTab; }
    PicturesTab* picturesTab() const { return pages_.picturesTab; }
    AutomatsPage* automatsPage() const { return pages_.automatsPage; }
    CoderPage* coderPage() const { return pages_.coderPage; }
    XyEditorPage* xyEditorPage() const { return pages_.xyEditorPage; }
    GraphPage* graphPage() const { return pages_.graphPage; }
    NetworkPage* networkPage() const { return pages_.networkPage; }
    midi::MidiPage* midiPage() const { return pages_.midiPage; }
    // The static picture editor; nullptr until first opened.
    TStaticForm* staticForm() const { return staticForm_; }
    THandScanForm* handScanForm() const { return handScanForm_; }
    ChannelColorTab* channelColorTab() const { return pages_.channelColorTab; }
    QLabel* statusPanel() const { return pages_.statusPanel; }
    // The red panel that stays while the autosave copy cannot be written.
    QLabel* autoSavePanel() const { return pages_.autoSavePanel; }
    // Where the help file is looked for.
    static QString helpFilePath(Language language = currentLanguage()) { return SetupCommands::helpFilePath(language); }

public slots:
    void NewItemClick();
    void OpenItemClick();
    // The recovery folder: copies of the show kept before it was replaced or
    // dropped, and journals set aside, newest first; the one chosen is opened.
    void RecoverShowItemClick();
    // After start-up: a journal left by a run that did not end cleanly is offered.
    void offerJournalLeft();
    void SaveAsItemClick();
    void AboutItemClick();
    void ChaserItemClick();
    void HandScanItemClick();
    void CopyToBufferItemClick();
    void SpeedButtonUndo1Click();
    void TimerAvtoSaveTimer();
    void TimerStatusTimer();
    void TimerShouClockTimer();
    void TimerPollingTimer();
    void PageControlInputChange(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTimers();
    void buildSceneCommands();
    // The window's side of what the pages ask for with signals.
    void connectPages();
    // The window's side of what the desk core reports.
    void connectCore();
    void connectPictureEditor();
    void setUndoEnabled(bool enabled);
    void FormCreate();
    // GUI thread. Shows the interface state: caption prefix and status panel 0.
    void showInterfaceState();
    // GUI thread. The kind chosen for the device open (or opened next) and
    // what it is driven as, on the page "Опции", after each poll.
    void showInterfaceKind();
    // GUI thread. The first steps of every ending: the desk's output stops and
    // the picture editor gives back what it borrowed.
    void stopOutput();
    // GUI thread. Shows or clears the lasting mark of a failed save of the show.
    void showSaveFailure(const QString& message);
    // GUI thread. Shows a failed file operation's message in the error box.
    void reportFileError(const QString& message);
    // GUI thread. A scene command of the desk core, and the refresh after it.
    void sceneCommand(DeskCore::SceneCommand command);

    std::unique_ptr<FileDialog> openDialogShou_;
    std::unique_ptr<FileDialog> saveDialogShou_;
    QString captionPrefix_;  // " Initalization " until the interface is first looked at
    WindowPages pages_;
    TStaticForm* staticForm_ = nullptr;
    THandScanForm* handScanForm_ = nullptr;
    remote::RemoteServer* remote_ = nullptr;
    osc::OscServer* osc_ = nullptr;
    RemoteGroup* remoteGroup_ = nullptr;
    QColor systemFace_;
    QTimer* timerStatus_ = nullptr;
    std::array<std::vector<std::function<void()>>, InputPages> pageRefresh_;
    std::vector<std::function<void()>> dataSystemRefresh_;
    InterfaceLog interfaceLog_;
    QString showToOpen_;
    std::uint64_t openDmxFramesSeen_ = 0;
    bool closed_ = false;
    bool signalled_ = false;
};

}  // namespace velantra
