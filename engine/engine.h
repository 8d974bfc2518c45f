// The engine: show memory, working buffers, shared values and the control
// states that the output tick reads. One instance lives for the whole run.
//
// Nothing here includes a widget header; the window layer connects to the
// engine through the control mirrors and the new-show hooks.
#pragma once

#include "engine/automat_state.h"
#include "engine/controls.h"
#include "engine/dmx.h"
#include "engine/further_patch.h"
#include "engine/shared_values.h"
#include "engine/show_memory.h"
#include "engine/transport.h"

#include <array>
#include <cstdint>
#include <functional>

namespace velantra {

inline constexpr int CoderEntries = 513;

// Steps of the new-show reset that belong to the windows. Each may be empty.
struct ClearAllHooks {
    std::function<void()> disableUndo;      // the four undo buttons are disabled
    std::function<void()> untitledCaption;  // caption := prefix + " Нет имени файла "
    std::function<void()> resetFaderBank;   // selection boxes, bank scroll, first tabs
    std::function<void()> applyTempo;       // tempo 44 applied to the sequencer
    std::function<void()> resetGraphZoom;   // channel graph zoom to position 3
};

class Engine {
public:
    Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // GUI thread. Sets sceneAddr to the address of the scene (RaschetAdr in older notes).
    void publishSceneAddress(std::uint8_t scene);
    // Any thread. Stores value clamped to 0..255 in channel of scene.
    void DataWrite(std::uint8_t scene, std::uint8_t channel, int value);
    // Any thread.
    std::uint8_t DataRead(std::uint8_t scene, std::uint8_t channel) const;
    // GUI thread. Stores x and y (clamped) in channels p+1 and p+2 of the scene,
    // p being the XY editor's first channel selector.
    void DataWriteXY(std::uint8_t scene, int x, int y);
    // GUI thread. Resets to a new, empty show; runs the window hooks.
    void ClearAll();
    // GUI thread. Puts the identity patch into the coder table.
    void resetPatch();

    ShowMemory memory;

    // The frame the tick composes in place, layer by layer (the smoothing
    // starts from it). Output thread; other threads only while it is stopped.
    // The tick's other working buffers belong to the output cycle, the wire
    // buffers to the outputs.
    AtomicArray<std::uint8_t, DmxSlots> dmxFrame;
    // The last frame the tick finished: what the level displays show, never a
    // half-built one. Written by the output thread, read by any.
    AtomicArray<std::uint8_t, DmxSlots> shownFrame;

    // Written by the GUI thread, read by the tick.
    AtomicArray<std::uint8_t, 255> seqStep;               // entry c-1: glide step of channel c
    AtomicArray<std::uint16_t, CoderEntries> coderTable;  // entry k: source slot of slot k
    FurtherPatch furtherPatch;                            // the universes after the first

    // GUI thread only.
    std::array<std::uint8_t, SceneSize> sceneClipboard{};
    std::array<std::uint8_t, 3 * 256> pictureEditSave{};

    SharedValues shared;
    ControlStates controls;
    TickOutputs outputs;
    std::array<AutomatState, AutomatCount> automats;
    TransportShared transport;
    ClearAllHooks hooks;
};

}  // namespace velantra
