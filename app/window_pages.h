// The main window's regions: the main page control with its pages, the
// scene, channel set-up and conveyor groups on the right, the status line,
// and the pages' snapshot and undo buttons. Built once with the window; the
// window connects them to the desk and to each other's refresh.
#pragma once

#include "desk/desk_controls.h"

#include <QCoreApplication>

#include <array>

class QLabel;
class QMainWindow;
class QTabWidget;
class QWidget;

namespace velantra {

class AutomatsPage;
class ChannelColorTab;
class ChannelSetupGroup;
class CoderPage;
class ConveyorGroup;
class DeskCore;
class FaderPage;
class GraphPage;
struct GraphZoom;
class LevelsTab;
class MidiTargets;
namespace midi {
class MidiPage;
}
class NetworkPage;
class OptionsPage;
class PicturesTab;
class RateTab;
class SceneGroup;
class SequencerPage;
class Shell;
class XyEditorPage;

// The tabs of the main page control, in order.
struct MainPages {
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
};

struct WindowPages : MainPages {
    Q_DECLARE_TR_FUNCTIONS(TBaseForm)

public:
    // GUI thread. Builds every region into window (its central widget and
    // status bar); the pages work on the desk through shell and core.
    void build(QMainWindow& window, Shell& shell, DeskCore& core, GraphZoom& zoom);
    // GUI thread. The MIDI page and its targets, over the built pages; its
    // learning is also an item of the menu "Опции".
    void buildMidi(QMainWindow& window, DeskCore& core);
    QWidget* page(InputPage page) const { return inputPages[static_cast<std::size_t>(page)]; }

    QTabWidget* pageControlInput = nullptr;
    std::array<QWidget*, InputPages> inputPages{};
    SceneGroup* sceneGroup = nullptr;
    ChannelSetupGroup* channelSetupGroup = nullptr;
    ConveyorGroup* conveyorGroup = nullptr;
    OptionsPage* optionsPage = nullptr;
    FaderPage* faderPage = nullptr;
    SequencerPage* sequencerPage = nullptr;
    RateTab* rateTab = nullptr;
    LevelsTab* levelsTab = nullptr;
    PicturesTab* picturesTab = nullptr;
    AutomatsPage* automatsPage = nullptr;
    CoderPage* coderPage = nullptr;
    XyEditorPage* xyEditorPage = nullptr;
    GraphPage* graphPage = nullptr;
    NetworkPage* networkPage = nullptr;
    ChannelColorTab* channelColorTab = nullptr;
    QLabel* statusPanel = nullptr;
    QLabel* autoSavePanel = nullptr;
    MidiTargets* midiTargets = nullptr;
    midi::MidiPage* midiPage = nullptr;

private:
    // A desk control set through another surface (MIDI): the page's own
    // control shows it, and its handler keeps the page's rules.
    void followDesk(DeskControls& desk, DeskControls::Control control, int index);
    // "Mem" and "Undo" on the fader, graph, XY editor and copy pages; the
    // window connects "Undo" (SpeedButtonUndo1, 3, 4, 5).
    void buildUndoPairs(DeskCore& core);
};

}  // namespace velantra
