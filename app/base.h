// TBaseForm: the main window shell. It owns the engine, the interface link
// and the output thread, builds the menus, the tool bar, the status line and
// the regions, runs start-up and close in their fixed order and holds the
// common refresh that every page registers with.
#pragma once

#include "desk/desk_controls.h"
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "i18n/language.h"
#include "link/d2xx.h"
#include "link/usb_link.h"
#include "link/usb_texts.h"
#include "programming/graph_zoom.h"
#include "shell/shell.h"
#include "storage/channel_tables.h"
#include "storage/file_result.h"

#include <QColor>
#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;

namespace velantra {

class AutomatsPage;
class ChannelColorTab;
class GraphPage;
class NetworkOutputs;
class NetworkPage;
class MidiTargets;
namespace midi {
class MidiControl;
class MidiPage;
}  // namespace midi
class ChannelSetupGroup;
class CoderPage;
class XyEditorPage;
class ConveyorGroup;
class FaderPage;
class FileDialog;
class LevelsTab;
class RateTab;
class SequencerPage;
class UndoMemory;
class OptionsPage;
class OutputRig;
class Player;
class SceneGroup;
class PicturesTab;
struct Settings;
class TStaticForm;
class THandScanForm;

class TBaseForm : public QMainWindow, public Shell {
    Q_OBJECT
public:
    // Who runs the output tick: the output thread every 50 ms, or the caller
    // (outputCycle().tick(), a test stepping the output by hand; the interface
    // link then writes each frame before tick() returns).
    enum class OutputClock { Thread, ByHand };

    // GUI thread. driver: the interface driver to use (nullptr: the system's).
    // showToOpen: a show to open at start instead of the last one (as the
    // Open command opens it).
    explicit TBaseForm(std::unique_ptr<D2xxProvider> driver = nullptr, QWidget* parent = nullptr,
                       OutputClock clock = OutputClock::Thread, const QString& showToOpen = {});
    ~TBaseForm() override;

    // Main page control tabs, in order.
    enum InputPage {
        PageFaders,
        PageGraph,
        PageXyEditor,
        PageCopy,
        PageAutomats,
        PageOptions,
        PageCoder,
        PageNetwork,
        PageMidi
    };
    static constexpr int InputPages = 9;

    Engine& engine() override { return *engine_; }
    DeskControls& desk() override { return *desk_; }
    Player& player() { return *player_; }
    UsbLink& link() { return *link_; }
    OutputThread& outputThread() { return *outputThread_; }
    OutputCycle& outputCycle() { return *cycle_; }
    NetworkOutputs& networkOutputs() { return *network_; }
    midi::MidiControl& midiControl() { return *midi_; }

    // GUI thread. Appends a message to the status line; it clears 5 s after the first one.
    void OutStatus(const QString& text) override;
    // GUI thread. Caption, tempo and scene counters from the show memory.
    void ReturnDataSystem() override;
    // GUI thread. Everything that depends on the show; after every change of
    // show, scene, page or fader offset.
    void ReturnPageControlAll() override;
    // GUI thread. Registers the refresh of a page of the main page control,
    // run by ReturnPageControlAll while that page is shown.
    void registerPageRefresh(InputPage page, std::function<void()> refresh);
    // GUI thread. Registers a part of the show-level refresh (ReturnDataSystem).
    void registerDataSystemRefresh(std::function<void()> refresh);

    // What reading the show named by the open dialog came to.
    enum class ReadOutcome {
        Loaded,   // the show was replaced by the file
        Missing,  // no such file (or not a regular file): said in the status line, the show unchanged
        Failed,   // an I/O failure, shown in the error box; the open stops there
    };
    // Show file (GUI thread).
    ReadOutcome BlocOpenFile();
    // GUI thread. The Open command's steps after its dialog, for the show path.
    void openShow(const QString& path);
    bool SaveFileAs();
    void SaveFile();
    // Settings file (GUI thread).
    void ReadIniFile();
    void WriteIniFile();

    // GUI thread. Writes the show to path; with the picture editor open, the
    // file gets the show's own scene 0, rates, selection and current scene.
    FileResult writeShow(const QString& path);
    // GUI thread. Closes the static picture editor, giving back what it
    // borrowed; does nothing when it is closed. Run before another show replaces this one.
    void closePictureEditor();

    // GUI thread. The window colour: the options page's colour group from the
    // show, and the window in the show's colour or, switched off, the system's.
    void SetColorAll();
    // GUI thread. Colour file: read at start-up (created when missing), written at close.
    void LoadColorFile();
    bool SaveColorEdit();

    // GUI thread. The program was told to end (SIGTERM, SIGINT, SIGHUP): stops
    // the output and writes the autosave copy of the show, the colour file and
    // the settings file without asking anything; the caller then exits.
    // Failures go to the error output, for the log of whoever sent the signal.
    void shutDownOnSignal();

    // GUI thread. Snapshot of the whole show memory for the one-level undo.
    void ToMemoryUndo();
    // GUI thread. Puts the snapshot back over the whole show memory and
    // refreshes the views; no status text, the undo buttons stay as they are.
    void restoreUndo() override;

    // GUI thread. Caption := CaptionPrefix + text.
    void setCaption(const QString& text);
    const QString& captionPrefix() const { return captionPrefix_; }

    FileDialog& openDialogShou() override { return *openDialogShou_; }
    bool pageShown(const QWidget* page) const override;
    void loadShow(const QString& path) override;
    FileDialog& saveDialogShou() { return *saveDialogShou_; }
    // Gobo codes, border and name colours of every channel.
    ChannelTables channelTables;
    // Zoom of the channel graph, set by opening a show and by new show.
    GraphZoom graphZoom;
    // The patch file named by the settings at start-up.
    QString coderFileName;

    QTabWidget* pageControlInput() const { return pageControlInput_; }
    QWidget* inputPage(InputPage page) const;
    SceneGroup* sceneGroup() const { return sceneGroup_; }
    ChannelSetupGroup* channelSetupGroup() const { return channelSetupGroup_; }
    ConveyorGroup* conveyorGroup() const { return conveyorGroup_; }
    OptionsPage* optionsPage() const { return optionsPage_; }
    FaderPage* faderPage() const { return faderPage_; }
    SequencerPage* sequencerPage() const { return sequencerPage_; }
    RateTab* rateTab() const { return rateTab_; }
    LevelsTab* levelsTab() const { return levelsTab_; }
    PicturesTab* picturesTab() const { return picturesTab_; }
    AutomatsPage* automatsPage() const { return automatsPage_; }
    CoderPage* coderPage() const { return coderPage_; }
    XyEditorPage* xyEditorPage() const { return xyEditorPage_; }
    GraphPage* graphPage() const { return graphPage_; }
    NetworkPage* networkPage() const { return networkPage_; }
    midi::MidiPage* midiPage() const { return midiPage_; }
    // The static picture editor; nullptr until first opened.
    TStaticForm* staticForm() const { return staticForm_; }
    THandScanForm* handScanForm() const { return handScanForm_; }
    ChannelColorTab* channelColorTab() const { return channelColorTab_; }
    QLabel* statusPanel() const { return statusPanel_; }
    // The red panel that stays while the autosave copy cannot be written.
    QLabel* autoSavePanel() const { return autoSavePanel_; }

    // Where the help file is looked for.
    static QString helpFilePath(Language language = currentLanguage());

public slots:
    void NewItemClick();
    void OpenItemClick();
    void SaveItemClick();
    void SaveAsItemClick();
    void HelpItemClick();
    void AboutItemClick();
    void ChaserItemClick();
    void HandScanItemClick();
    void ClearNamesItemClick();
    void ClearNameColorsItemClick();
    void ClearGoboItemClick();
    void ClearBorderColorsItemClick();
    void InsertScenaItemClick();
    void DeleteScenaItemClick();
    void ClearScenaItemClick();
    void CopyPredScenaClick();
    void CopyToBufferItemClick();
    void SpeedButtonNewScenaPasteClick();
    void PasteFromBufferItemClick();
    void AvtoDobScenaItemClick();
    void SpeedButtonUndo1Click();
    void TimerAvtoSaveTimer();
    void TimerStatusTimer();
    void TimerShouClockTimer();
    void TimerPollingTimer();
    void PageControlInputChange(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildRegions();
    void buildTimers();
    void buildSceneCommands();
    // The window's side of what the pages ask for with signals.
    void connectPages();
    void followDesk(DeskControls::Control control, int index);
    void connectPictureEditor();
    // The MIDI control over the window's controls and its page; after the pages.
    void buildMidi();
    void setUndoEnabled(bool enabled);
    bool playing() const;
    void FormCreate();
    // GUI thread. Shows the interface state: caption prefix and status panel 0.
    void showInterfaceState();
    // GUI thread. The kind chosen for the device open (or opened next) and
    // what it is driven as, on the page "Опции", after each poll.
    void showInterfaceKind();
    // GUI thread. Writes the settings file now, for a kind just chosen; a
    // failure goes to the status line.
    void saveInterfaceKinds();
    // GUI thread. What the settings file gets: the conveyor, the last show and patch file.
    Settings currentSettings() const;
    // GUI thread. The first steps of every ending: the output thread, the
    // network outputs and the link stop, the window's timers stop and the
    // picture editor gives back what it borrowed.
    void stopOutput();
    // GUI thread. Shows or clears the lasting mark of a failed save of the show.
    void showSaveFailure(const QString& message);
    // GUI thread. Shows a failed file operation's message in the error box.
    void reportFileError(const QString& message);
    QAction* action(const char* name, const QString& text, const QKeySequence& shortcut = {});

    std::unique_ptr<OutputRig> rig_;
    // The rig's parts.
    Engine* engine_;
    UsbLink* link_;
    OutputCycle* cycle_;
    OutputThread* outputThread_;
    NetworkOutputs* network_;
    std::unique_ptr<FileDialog> openDialogShou_;
    std::unique_ptr<FileDialog> saveDialogShou_;
    std::unique_ptr<UndoMemory> undo_;

    QString captionPrefix_ = QStringLiteral(" Initalization ");
    QTabWidget* pageControlInput_ = nullptr;
    std::array<QWidget*, InputPages> inputPages_{};
    SceneGroup* sceneGroup_ = nullptr;
    ChannelSetupGroup* channelSetupGroup_ = nullptr;
    ConveyorGroup* conveyorGroup_ = nullptr;
    OptionsPage* optionsPage_ = nullptr;
    FaderPage* faderPage_ = nullptr;
    SequencerPage* sequencerPage_ = nullptr;
    RateTab* rateTab_ = nullptr;
    LevelsTab* levelsTab_ = nullptr;
    PicturesTab* picturesTab_ = nullptr;
    AutomatsPage* automatsPage_ = nullptr;
    CoderPage* coderPage_ = nullptr;
    XyEditorPage* xyEditorPage_ = nullptr;
    GraphPage* graphPage_ = nullptr;
    NetworkPage* networkPage_ = nullptr;
    midi::MidiPage* midiPage_ = nullptr;
    MidiTargets* midiTargets_ = nullptr;
    midi::MidiControl* midi_ = nullptr;
    TStaticForm* staticForm_ = nullptr;
    THandScanForm* handScanForm_ = nullptr;
    ChannelColorTab* channelColorTab_ = nullptr;
    QColor systemFace_;
    QLabel* statusPanel_ = nullptr;
    QLabel* autoSavePanel_ = nullptr;
    Player* player_ = nullptr;
    DeskControls* desk_ = nullptr;
    QTimer* timerStatus_ = nullptr;
    QTimer* timerPolling_ = nullptr;
    std::array<std::vector<std::function<void()>>, InputPages> pageRefresh_;
    std::vector<std::function<void()>> dataSystemRefresh_;
    InterfaceLog interfaceLog_;
    OutputClock outputClock_;
    QString showToOpen_;
    QString interfaceKinds_;  // the settings' "Interfaces"/"Kinds"
    std::uint64_t openDmxFramesSeen_ = 0;
    bool closed_ = false;
    bool signalled_ = false;
};

}  // namespace velantra
