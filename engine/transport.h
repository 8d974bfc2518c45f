// When the sequencer and the two automats step. The output tick keeps the
// transport's clock: it counts its own ticks and takes each step in the tick
// it falls in, in whole ticks, so that steps never drift against the frames
// that carry them and a busy window neither delays nor bunches them. The
// thread that plays the show (the GUI thread) sets tempo and switches and
// follows what the tick did through the counters.
#pragma once

#include "engine/automat_state.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace velantra {

class Engine;

struct TransportShared {
    // Written by the GUI thread, read by the tick.
    std::atomic<std::uint8_t> onTick{0};  // 1: the tick clocks the steps (else the GUI's timers do)
    std::atomic<std::int32_t> stepPeriodMs{100};
    std::atomic<std::uint8_t> wrapsToConveyor{0};  // 1: a wrap plays the conveyor's next show
    // A scene the desk jumps to during play: the tick takes it at its start,
    // so that the scene cell has one writer while the tick steps. -1: none.
    std::atomic<std::int32_t> jumpWanted{-1};
    struct Automat {
        std::atomic<std::int32_t> periodMs{1000};
        std::atomic<std::uint8_t> alone{0};
        std::atomic<std::uint8_t> withSequencer{0};
        std::atomic<std::uint8_t> program{1};
    };
    std::array<Automat, AutomatCount> automats{};

    // Written by the tick, read by the GUI thread: running counts.
    std::atomic<std::uint32_t> beats{0};  // sequencer beats, playing or not
    std::atomic<std::uint32_t> steps{0};  // steps of play the tick took
    std::array<std::atomic<std::uint32_t>, AutomatCount> automatBeats{};
    std::array<std::atomic<std::uint32_t>, AutomatCount> automatSteps{};
    // A wrap that loads the conveyor's next show is the GUI thread's (it reads
    // a file): the tick sets this instead of stepping and takes no step until
    // the GUI thread has loaded the show and cleared it.
    std::atomic<std::uint8_t> wrapWanted{0};
};

// Output thread only.
class TransportClock {
public:
    explicit TransportClock(Engine& engine);
    // One output tick: takes the sequencer's and the automats' steps that fall in it.
    void tick();

private:
    // Adds one tick to phase; how many periods ended in this tick: one or
    // none for a period of a tick or longer, as many as fit in a tick for a
    // shorter one (an automat at its fastest takes its steps per minute, the
    // frame shows the last). A period shortened below what has already run
    // gives one step, never a burst.
    static int due(int& phase, int periodMs);
    void stepSequencer(int periodMs);
    // A jump the desk asked for during play, with the glide from the scene shown.
    void takeJump(int periodMs);

    Engine& e_;
    int sequencerPhase_ = 0;
    std::array<int, AutomatCount> automatPhase_{};
};

}  // namespace velantra
