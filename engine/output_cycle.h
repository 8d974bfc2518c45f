// The output tick: composes DmxFrame from the show and the live controls and
// hands it to the interface link. Called every 50 ms by OutputThread; tests
// call tick() by hand.
//
// Every routine here runs on the output thread, never blocks, takes no lock
// and allocates nothing. The only wait is inside the frame sink's write,
// which the device's write timeout bounds.
#pragma once

#include "engine/engine.h"
#include "link/frame_sink.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace velantra {

class OutputCycle {
public:
    explicit OutputCycle(Engine& engine);

    // Any thread. Sets where encoded frames go (nullptr: nowhere).
    void setSink(FrameSink* sink) { sink_.store(sink, std::memory_order_release); }

    // Output thread. One whole tick: scene layer, overrides, blink, send.
    void tick();

    // Output thread. The steps of the tick, in their order.
    void SborDmxStroki();   // scene layer with smoothing, then the automats
    void OutJobAvtomats();  // automat layer
    void ManualDmx();       // pictures, faders, hand scan, blackout, macro, patch
    void BlankBlackOut();   // blink of the blackout button
    void SendToUsb();       // encode the frame and write it

private:
    void applyPicture(int k);
    void CheckBoxManualScrollBar();
    void applyHandScan();
    void applyPatch();

    Engine& e_;
    std::atomic<FrameSink*> sink_{nullptr};
    std::array<std::uint8_t, DmxSlots> snapshot_{};
};

}  // namespace velantra
