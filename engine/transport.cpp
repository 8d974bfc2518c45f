#include "engine/transport.h"

#include "engine/automat.h"
#include "engine/engine.h"
#include "engine/sequencer.h"

#include <algorithm>

namespace velantra {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;
}  // namespace

TransportClock::TransportClock(Engine& engine)
    : e_(engine)
{}

int TransportClock::due(int& phase, int periodMs)
{
    constexpr int tickMs = SharedValues::OutputPeriod;
    const int period = std::max(periodMs, 1);
    phase += tickMs;
    const int ended = phase / period;
    phase %= period;
    return std::min(ended, (tickMs + period - 1) / period);
}

void TransportClock::tick()
{
    TransportShared& t = e_.transport;
    if (t.onTick.load(relaxed) == 0) {
        return;
    }
    const int stepPeriod = t.stepPeriodMs.load(relaxed);
    takeJump(stepPeriod);
    if (due(sequencerPhase_, stepPeriod) > 0) {
        t.beats.fetch_add(1, relaxed);
        stepSequencer(stepPeriod);
    }
    for (int a = 0; a < AutomatCount; ++a) {
        TransportShared::Automat& run = t.automats[static_cast<std::size_t>(a)];
        const int ended = due(automatPhase_[static_cast<std::size_t>(a)], run.periodMs.load(relaxed));
        if (ended == 0) {
            continue;
        }
        const bool steps = automatTickSteps(e_, a, run.alone.load(relaxed) != 0, run.withSequencer.load(relaxed) != 0);
        for (int n = 0; steps && n < ended; ++n) {
            runAutomatStep(e_, a, run.program.load(relaxed));
            t.automatSteps[static_cast<std::size_t>(a)].fetch_add(1, relaxed);
        }
        // Published after the step: a reader that sees the beat sees the step.
        t.automatBeats[static_cast<std::size_t>(a)].fetch_add(1, std::memory_order_release);
    }
}

void TransportClock::takeJump(int periodMs)
{
    const int scene = e_.transport.jumpWanted.exchange(-1, std::memory_order_acq_rel);
    if (scene < 0) {
        return;
    }
    const SceneLevels shown = sceneLevels(e_, e_.memory.get(CellScene));
    e_.memory.set(CellScene, static_cast<std::uint8_t>(std::clamp(scene, 0, SceneCount - 1)));
    if (e_.shared.playMode.load(relaxed) != 0) {
        computeSeqStep(e_, periodMs, shown);
        e_.transport.steps.fetch_add(1, std::memory_order_release);  // the views follow it as a step
    }
}

void TransportClock::stepSequencer(int periodMs)
{
    TransportShared& t = e_.transport;
    if (e_.shared.playMode.load(relaxed) == 0 || t.wrapWanted.load(std::memory_order_acquire) != 0) {
        return;
    }
    const int current = e_.memory.get(CellScene);
    if (current >= e_.memory.get(CellLastScene) && t.wrapsToConveyor.load(relaxed) != 0) {
        t.wrapWanted.store(1, std::memory_order_release);
        return;
    }
    const SceneLevels left = sceneLevels(e_, current);
    advanceScene(e_);
    computeSeqStep(e_, periodMs, left);
    t.steps.fetch_add(1, std::memory_order_release);
}

}  // namespace velantra
