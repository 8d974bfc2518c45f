// Encoder of the byte stream that the USB DMX interface's firmware expects.
//
// One message per frame: 0xFF 0xF0, the 513 slots (start code first) with a
// slot value 0xFF sent as 0xFF 0xF7, then 0xFF 0xF1 0xFF 0xFF.
#pragma once

#include "engine/dmx.h"
#include <cstddef>
#include <cstdint>

namespace velantra {

inline constexpr int WireSlots = DmxSlots;
inline constexpr int WireMessageMin = 2 + WireSlots + 4;      // 519: no slot holds 255
inline constexpr int WireMessageMax = 2 + 2 * WireSlots + 4;  // 1032: every slot holds 255

// Any thread. Never blocks, allocates nothing.
// Encodes slots[0..512] into out (capacity outSize bytes) and returns the
// message length, or 0 when outSize is smaller than WireMessageMax.
int encodeWireFrame(const std::uint8_t* slots, std::uint8_t* out, std::size_t outSize);

}  // namespace velantra
