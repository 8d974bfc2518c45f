// The smoothing step: one channel moves toward its target by at most step.
#pragma once

#include <cstdint>

namespace velantra {

// Any thread. Moves level toward target by at most step, never past it and
// without byte overflow; step 0 holds, step 255 reaches any target at once.
constexpr std::uint8_t approach(std::uint8_t level, std::uint8_t target, std::uint8_t step)
{
    if (level < target) {
        return target - level <= step ? target : static_cast<std::uint8_t>(level + step);
    }
    if (level > target) {
        return level - target <= step ? target : static_cast<std::uint8_t>(level - step);
    }
    return level;
}

}  // namespace velantra
