// The output tick: composes DmxFrame from the show and the live controls and
// hands it to the interface link. Called every 50 ms by OutputThread; tests
// call tick() by hand.
//
// Every routine here runs on the output thread, never blocks, takes no lock
// and allocates nothing. The only wait is inside the frame sink's write,
// which the device's write timeout bounds.
#pragma once

#include "engine/engine.h"
#include "link/frame_writer.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace velantra {

class OutputCycle {
public:
    explicit OutputCycle(Engine& engine);

    // Any thread. Sets the interface link that sends each frame (nullptr: none).
    void setWriter(FrameWriter* writer) { writer_.store(writer, std::memory_order_release); }

    // Output thread. One whole tick: scene layer, overrides, blink, send.
    void tick();

    // Output thread. The steps of the tick, in their order.
    void SborDmxStroki();   // scene layer with smoothing, then the automats
    void OutJobAvtomats();  // automat layer
    void ManualDmx();       // pictures, faders, hand scan, blackout, macro, patch
    void BlankBlackOut();   // blink of the blackout button
    void SendToUsb();       // hand the frame to the interface link

private:
    void applyPicture(int k);
    void CheckBoxManualScrollBar();
    void applyHandScan();
    void applyPatch();

    Engine& e_;
    std::atomic<FrameWriter*> writer_{nullptr};
};

}  // namespace velantra
