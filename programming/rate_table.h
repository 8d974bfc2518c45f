// The eight fade-rate steps of the channel rate table.
#pragma once

#include <QString>

#include <cstdint>

namespace velantra {

inline constexpr int RatePositions = 8;

// Any thread. Step stored for a bar position 0..7 (any other position counts as 7).
std::uint8_t rateStep(int position);
// GUI thread. Label text of a bar position: "15", "7", ... "no".
QString rateLabel(int position);
// Any thread. Bar position that shows a stored step.
int RatePositionOf(std::uint8_t value);

}  // namespace velantra
