// Run-time state of one four-channel chaser (automat), shared with the tick.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace velantra {

inline constexpr int AutomatCount = 2;
inline constexpr int AutomatSlots = 4;
inline constexpr int AutomatFirstMax = 250;

struct AutomatState {
    // Written by the stepping thread only (the tick on the transport's clock,
    // else the GUI thread), read by the automats page: pattern position and
    // direction counter.
    std::atomic<std::uint8_t> step{0};
    std::atomic<std::uint8_t> cycle{0};

    // Written by the stepping thread, read by the output tick.
    std::atomic<std::uint8_t> active{0};  // 1 = the tick writes levels into the frame
    std::array<std::atomic<std::uint8_t>, AutomatSlots> levels{};
    std::atomic<std::uint8_t> first{0};  // channel bar position 0..250: drives slots first+1..first+4
};

}  // namespace velantra
