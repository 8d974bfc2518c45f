// The GUI thread edits everything the tick reads, and polls the interface,
// while the tick runs on its own thread and writes to the device. Run under
// ThreadSanitizer in CI: any data race fails the build.
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "link/usb_link.h"
#include "tests/testing/fake_d2xx.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace velantra {
namespace {

using namespace std::chrono_literals;

TEST(EngineStress, EditingAndPollingWhileTheTickRunsIsRaceFreeAndFramesStayWellFormed)
{
    auto e = std::make_unique<Engine>();
    e->ClearAll();
    FakeD2xx device;
    device.attach();
    device.setRecordLimit(64);
    UsbLink link(device);
    link.openInterface();
    OutputCycle cycle(*e);
    cycle.addOutput(&link);
    OutputThread thread([&] { cycle.tick(); }, 1ms);
    thread.start();

    const auto end = std::chrono::steady_clock::now() + 1500ms;
    unsigned n = 0;
    while (std::chrono::steady_clock::now() < end || thread.ticks() < 50) {
        ++n;
        const auto b = static_cast<std::uint8_t>(n);
        e->DataWrite(b, b, static_cast<int>(n % 300));
        e->memory.set(CellScene, b % 4);
        e->memory.set(RateBase + b, b);
        e->memory.set(pictureAddress(b % 16) + b, b & 1);
        e->memory.set(pictureAddress(b % 16) + 256 + b, b);
        e->memory.set(SelectBase + b, (n / 7) & 1);
        e->seqStep.set(b % 255, b);
        e->coderTable.set(b, static_cast<std::uint16_t>((b * 7) % 256));
        e->controls.rateMode = static_cast<RateMode>(static_cast<int>(n % 4) - 1);
        e->controls.pictureOn[n % 16] = (n & 2) != 0;
        e->controls.manual = (n & 4) != 0;
        e->controls.faderPosition[n % FaderCount] = b;
        e->controls.faderChecked[n % FaderCount] = (n & 8) != 0;
        e->controls.blackOut = (n % 64) < 8;
        e->controls.macroDown = (n % 128) < 4;
        e->controls.noUsbConnect = (n % 512) < 2;
        e->shared.playMode = (n >> 5) & 1;
        e->shared.faderOffset = b % 229;
        e->shared.handScanPriority = (n >> 6) & 1;
        e->shared.handScanX = b;
        e->shared.handScanY = static_cast<std::uint8_t>(255 - b);
        AutomatState& automat = e->automats[n % 2];
        automat.active = (n >> 3) & 1;
        automat.first = b % 251;
        automat.levels[n % 4] = b;
        (void)e->dmxFrame.get(b);                       // the level displays read the frame
        (void)e->outputs.blackOutButtonVisible.load();  // the GUI applies the blink
        (void)e->shared.sceneAddr.load();
        if (n % 16 == 0) {
            link.poll();  // far more often than once a second
            (void)link.status();
        }
        if (n % 4000 == 0) {
            device.unplug();
        } else if (n % 4000 == 2000) {
            device.attach();
        }
        if (n % 5000 == 0) {
            e->ClearAll();
            e->resetPatch();
        }
        if (n % 64 == 0) {
            std::this_thread::yield();
        }
    }
    thread.stop();
    link.closeInterface();

    EXPECT_GE(thread.ticks(), 50u);
    EXPECT_EQ(device.maxConcurrentCalls(), 1) << "the poll and the frame write overlapped";
    EXPECT_GT(device.writeCount(), 0u);
    for (const auto& m : device.writes()) {
        ASSERT_GE(m.size(), 519u);
        ASSERT_LE(m.size(), 1032u);
        EXPECT_EQ(m[0], 0xFF);
        EXPECT_EQ(m[1], 0xF0);
        EXPECT_EQ(m[m.size() - 3], 0xF1);
    }
    EXPECT_EQ(device.openHandles(), 0) << "every handle opened was closed";
}

}  // namespace
}  // namespace velantra
