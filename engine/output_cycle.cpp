#include "engine/output_cycle.h"

#include "engine/approach.h"

#include <algorithm>

namespace velantra {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;
}  // namespace

OutputCycle::OutputCycle(Engine& engine)
    : e_(engine)
    , transport_(engine)
{}

void OutputCycle::tick()
{
    transport_.tick();
    composeScene();
    applyOverrides();
    publishFrame();
    blinkBlackOut();
    sendToOutputs();
    e_.outputs.tickCount.fetch_add(1, relaxed);
}

void OutputCycle::composeScene()
{
    const int a = sceneAddress(e_.memory.get(CellScene));
    e_.shared.sceneAddr.store(a, relaxed);

    auto& frame = e_.dmxFrame;
    auto& target = targetFrame_;
    const RateMode mode = e_.controls.rateMode.load(relaxed);
    const bool glide = mode == RateMode::Automat && e_.shared.playMode.load(relaxed) != 0;

    if (mode == RateMode::Faders) {
        for (int c = 1; c <= LastChannel; ++c) {
            target[c] = e_.memory.get(a + c);
        }
        for (int c = 1; c <= LastChannel; ++c) {
            frame.set(c, approach(frame.get(c), target[c], e_.memory.get(RateBase + c)));
        }
    } else if (glide) {
        for (int c = 1; c <= LastChannel; ++c) {
            target[c] = e_.memory.get(a + c);
        }
        for (int c = 1; c <= LastChannel; ++c) {
            frame.set(c, approach(frame.get(c), target[c], e_.seqStep.get(c - 1)));
        }
    } else if (mode == RateMode::Automat || mode == RateMode::Off) {
        for (int c = 1; c <= LastChannel; ++c) {
            frame.set(c, e_.memory.get(a + c));
        }
    }
    // RateMode::None (no item selected): the scene layer writes nothing.

    applyAutomats();
}

void OutputCycle::applyAutomats()
{
    for (const AutomatState& automat : e_.automats) {
        if (automat.active.load(relaxed) != 1) {
            continue;
        }
        const int first = std::min<int>(automat.first.load(relaxed), AutomatFirstMax);
        for (int i = 0; i < AutomatSlots; ++i) {
            e_.dmxFrame.set(first + 1 + i, automat.levels[i].load(relaxed));
        }
    }
}

void OutputCycle::applyPicture(int k)
{
    const int base = pictureAddress(k);
    for (int c = 0; c <= LastChannel; ++c) {
        if (e_.memory.get(base + c) == 1) {
            e_.dmxFrame.set(c, e_.memory.get(base + 256 + c));
        }
    }
}

void OutputCycle::applyManualFaders()
{
    const int offset = std::min<int>(e_.shared.faderOffset.load(relaxed), FaderOffsetMax);
    for (int f = 1; f <= FaderCount; ++f) {
        if (e_.controls.faderChecked[f - 1].load(relaxed)) {
            e_.dmxFrame.set(offset + f, e_.controls.faderPosition[f - 1].load(relaxed));
        }
    }
}

void OutputCycle::applyHandScan()
{
    const std::uint8_t x = e_.shared.handScanX.load(relaxed);
    const std::uint8_t y = e_.shared.handScanY.load(relaxed);
    for (int c = 0; c <= LastChannel; ++c) {
        if (e_.memory.get(SelectBase + c) == 1) {
            e_.dmxFrame.set(c, x);
            e_.dmxFrame.set(c + 1, y);
        }
    }
}

void OutputCycle::applyPatch()
{
    auto& temp = patchTemp_;
    e_.dmxFrame.copyOut(0, temp.size(), temp.data());
    for (int k = 0; k <= 255; ++k) {
        const std::uint16_t source = e_.coderTable.get(k);
        // An entry outside 0..255 (a damaged patch) passes its own slot through.
        e_.dmxFrame.set(k, source <= 255 ? temp[source] : temp[k]);
    }
}

void OutputCycle::applyOverrides()
{
    const ControlStates& controls = e_.controls;
    for (int k = 0; k < PictureCount; ++k) {
        if (controls.pictureOn[k].load(relaxed)) {
            applyPicture(k);
        }
    }
    if (controls.manual.load(relaxed)) {
        applyManualFaders();
    }
    if (e_.shared.handScanPriority.load(relaxed) == 1) {
        applyHandScan();
    }
    if (controls.blackOut.load(relaxed)) {
        e_.dmxFrame.fill(0, 255, 0);
    }
    if (controls.macroDown.load(relaxed)) {
        applyPicture(MacroPicture);
    }
    applyPatch();
}

void OutputCycle::blinkBlackOut()
{
    auto& visible = e_.outputs.blackOutButtonVisible;
    if (e_.controls.blackOut.load(relaxed)) {
        visible.store(!visible.load(relaxed), relaxed);
    } else {
        visible.store(true, relaxed);
    }
}

bool OutputCycle::addOutput(FrameOutput* output)
{
    for (auto& slot : outputs_) {
        FrameOutput* expected = nullptr;
        if (slot.compare_exchange_strong(expected, output, std::memory_order_release)) {
            return true;
        }
    }
    return false;
}

void OutputCycle::publishFrame()
{
    e_.dmxFrame.copyOut(0, sent_.size(), sent_.data());
    e_.shownFrame.copyIn(0, sent_.size(), sent_.data());
    // The further universes read the channels the first one's patch reads.
    furtherUsed_ = e_.furtherPatch.used();
    for (int u = 0; u < furtherUsed_; ++u) {
        FrameSlotsArray& frame = further_[static_cast<std::size_t>(u)];
        frame[0] = 0;
        for (int slot = 1; slot <= UniverseSlotCount; ++slot) {
            const std::uint8_t channel = e_.furtherPatch.source(u, slot);
            frame[static_cast<std::size_t>(slot)] = channel != 0 ? patchTemp_[channel] : 0;
        }
    }
}

void OutputCycle::sendToOutputs()
{
    // An operator programming offline must not disturb a live rig.
    if (e_.controls.noUsbConnect.load(relaxed)) {
        if (!silenced_) {
            silenced_ = true;
            for (auto& slot : outputs_) {
                if (FrameOutput* output = slot.load(std::memory_order_acquire)) {
                    output->silence();
                }
            }
        }
        return;
    }
    silenced_ = false;
    for (auto& slot : outputs_) {
        if (FrameOutput* output = slot.load(std::memory_order_acquire)) {
            output->writeFurther(std::span(further_).first(static_cast<std::size_t>(furtherUsed_)));
            output->write(FrameView(sent_));
        }
    }
}

}  // namespace velantra
