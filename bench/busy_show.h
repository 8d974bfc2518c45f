// A busy show for the measurements: every layer of the output tick has work
// to do. The tick benchmark and the timing tool both load it.
#pragma once

#include "engine/controls.h"
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "link/usb_link.h"
#include "tests/testing/fake_d2xx.h"

#include <cstdint>
#include <memory>

namespace velantra::bench {

// Two scenes with different contents; switching between them keeps every
// fade moving.
inline constexpr std::uint8_t BusySceneA = 1;
inline constexpr std::uint8_t BusySceneB = 2;

// GUI thread, before the tick runs. Starts a new show and fills it: fade
// rates and glide steps, both scenes (a third of the channels at full),
// both automats, all 16 pictures, the fader bank, the hand scan, the macro
// and a reversed patch. Scene BusySceneA is selected.
void loadBusyShow(Engine& engine, RateMode mode, bool blackOut);

// A fake interface, opened by the link and connected to the cycle, as after
// the first poll with a device attached. It counts writes but keeps none.
struct BenchDevice {
    explicit BenchDevice(UsbLink::Writes writes)
        : link(device, writes)
    {}
    FakeD2xx device;
    UsbLink link;
};

// GUI thread, before the tick runs. kind: what the link drives the fake as;
// writes: on the tick's thread (the cost of a whole write in the tick), or on
// the link's writer thread as the program does.
std::unique_ptr<BenchDevice> attachFakeDevice(OutputCycle& cycle, KindChoice kind = KindChoice::Auto,
                                              UsbLink::Writes writes = UsbLink::Writes::OnCaller);

// GUI thread, before the tick runs. Every one of the 513 slots goes out at
// 255, so each message is the longest one, 1,032 bytes.
void makeFramesFull(Engine& engine);

}  // namespace velantra::bench
