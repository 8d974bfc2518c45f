#include "bench/busy_show.h"

namespace velantra::bench {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;
}  // namespace

void loadBusyShow(Engine& engine, RateMode mode, bool blackOut)
{
    engine.ClearAll();

    // Scene layer: slow, uneven rates so no channel reaches its target at once.
    for (int c = 1; c <= 255; ++c) {
        engine.memory.set(RateBase + c, static_cast<std::uint8_t>(3 + c % 29));
        engine.seqStep.set(c - 1, static_cast<std::uint8_t>(1 + c % 23));
        engine.DataWrite(BusySceneA, static_cast<std::uint8_t>(c), c % 3 == 0 ? 255 : (c * 37) % 255);
        engine.DataWrite(BusySceneB, static_cast<std::uint8_t>(c), c % 3 == 1 ? 255 : (c * 91) % 255);
    }
    engine.memory.set(CellScene, BusySceneA);
    engine.controls.rateMode.store(mode, relaxed);
    engine.shared.playMode.store(mode == RateMode::Automat ? 1 : 0, relaxed);

    // Both automats running, on channels 41..44 and 121..124.
    const std::uint8_t firsts[AutomatCount] = {40, 120};
    for (int a = 0; a < AutomatCount; ++a) {
        AutomatState& automat = engine.automats[a];
        automat.first.store(firsts[a], relaxed);
        automat.levels[0].store(255, relaxed);
        automat.levels[1].store(128, relaxed);
        automat.levels[2].store(64, relaxed);
        automat.levels[3].store(255, relaxed);
        automat.active.store(1, relaxed);
    }

    // Every picture on, each with a quarter of the channels as members, half
    // of those at full.
    for (int k = 0; k < PictureCount; ++k) {
        const int base = pictureAddress(k);
        for (int c = 0; c <= 255; ++c) {
            if ((c + k) % 4 == 0) {
                engine.memory.set(base + c, 1);
                engine.memory.set(base + 256 + c, c % 8 < 4 ? 255 : static_cast<std::uint8_t>(c));
            }
        }
        engine.controls.pictureOn[k].store(true, relaxed);
    }
    engine.controls.macroDown.store(true, relaxed);

    // The whole fader bank checked, showing channels 101..127.
    engine.shared.faderOffset.store(100, relaxed);
    for (int f = 0; f < FaderCount; ++f) {
        engine.controls.faderPosition[f].store(static_cast<std::uint8_t>(f * 9), relaxed);
        engine.controls.faderChecked[f].store(true, relaxed);
    }
    engine.controls.manual.store(true, relaxed);

    // Hand scan on eight selected channels.
    for (int c = 10; c <= 150; c += 20) {
        engine.memory.set(SelectBase + c, 1);
    }
    engine.shared.handScanX.store(200, relaxed);
    engine.shared.handScanY.store(255, relaxed);
    engine.shared.handScanPriority.store(1, relaxed);

    engine.controls.blackOut.store(blackOut, relaxed);
    engine.controls.noUsbConnect.store(false, relaxed);

    // Reversed patch: slot k takes channel 256 - k; slot 0 keeps the start code.
    for (int k = 1; k <= 255; ++k) {
        engine.coderTable.set(k, static_cast<std::uint16_t>(256 - k));
    }
}

std::unique_ptr<BenchDevice> attachFakeDevice(OutputCycle& cycle, KindChoice kind, UsbLink::Writes writes)
{
    auto bench = std::make_unique<BenchDevice>(writes);
    bench->device.setRecordLimit(0);
    bench->device.attach();
    bench->link.setKindChoice(kind);
    bench->link.openInterface();
    bench->link.poll();
    cycle.addOutput(&bench->link);
    return bench;
}

void makeFramesFull(Engine& engine)
{
    // Slots 257..512 are written by no layer: they keep what is put here.
    engine.dmxFrame.fill(0, DmxSlots - 1, 255);
    // The macro picture holds every channel at full, the patch is the identity
    // and the hand scan's tilt fills slot 256.
    const int macro = pictureAddress(MacroPicture);
    for (int c = 0; c <= 255; ++c) {
        engine.memory.set(macro + c, 1);
        engine.memory.set(macro + 256 + c, 255);
    }
    engine.controls.macroDown.store(true, relaxed);
    engine.resetPatch();
    engine.memory.set(SelectBase + 255, 1);
    engine.shared.handScanY.store(255, relaxed);
    engine.shared.handScanPriority.store(1, relaxed);
}

}  // namespace velantra::bench
