// The output tick: composes DmxFrame from the show and the live controls and
// hands the same frame to every output (the USB link, the network outputs).
// Called every 50 ms by OutputThread; tests call tick() by hand.
//
// Every routine here runs on the output thread, never blocks, takes no lock
// and allocates nothing. No output waits in its write: each takes the frame
// into a latest-frame slot and writes it on a thread of its own.
#pragma once

#include "engine/engine.h"
#include "engine/frame_output.h"
#include "engine/transport.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace velantra {

class OutputCycle {
public:
    explicit OutputCycle(Engine& engine);

    static constexpr int MaxOutputs = 4;

    // GUI thread. Adds an output that receives every frame from the next tick
    // on (at most MaxOutputs; false when full). The output must outlive the
    // output thread.
    bool addOutput(FrameOutput* output);

    // Output thread. One whole tick: the transport's steps, scene layer,
    // overrides, blink, send.
    void tick();

    // Output thread. The steps of the tick, in their order. (Older notes
    // name them SborDmxStroki, OutJobAvtomats, ManualDmx, BlankBlackOut and
    // SendToUsb.)
    void composeScene();    // scene layer with smoothing, then the automats
    void applyAutomats();   // automat layer
    void applyOverrides();  // pictures, faders, hand scan, blackout, macro, patch
    void publishFrame();    // the finished frame (and the further universes), for the outputs and the displays
    void blinkBlackOut();   // blink of the blackout button
    void sendToOutputs();   // hand the published frame to every output (none in DEMO mode)

    // The tick's working buffers: the smoothing targets and the copy that the
    // patch reads. Output thread, or any thread while it is stopped.
    const std::array<std::uint8_t, DmxSlots>& targetFrame() const { return targetFrame_; }
    const std::array<std::uint8_t, 256>& patchTemp() const { return patchTemp_; }

private:
    void applyPicture(int k);
    void applyManualFaders();
    void applyHandScan();
    void applyPatch();

    Engine& e_;
    TransportClock transport_;
    std::array<std::atomic<FrameOutput*>, MaxOutputs> outputs_{};
    std::array<std::uint8_t, DmxSlots> targetFrame_{};
    std::array<std::uint8_t, 256> patchTemp_{};
    std::array<std::uint8_t, FrameSlots> sent_{};                  // the frame the outputs get
    std::array<FrameSlotsArray, FurtherUniverseCount> further_{};  // the further universes they get
    int furtherUsed_ = 0;
    bool silenced_ = false;  // DEMO mode was announced to the outputs
};

}  // namespace velantra
