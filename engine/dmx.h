// The sizes and levels of DMX512 and of the show, said once.
#pragma once

namespace velantra {

inline constexpr int DmxSlots = 513;     // slot 0 = start code, 1..512 channels
inline constexpr int LastChannel = 255;  // the show's channels are 1..255
inline constexpr int FullLevel = 255;    // a channel's highest level
inline constexpr int ChannelNameLength = 16;
inline constexpr int ChannelNameCells = LastChannel * ChannelNameLength;  // the names of channels 1..255

}  // namespace velantra
