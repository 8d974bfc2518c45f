// Values that several subsystems share, some of them with the output tick.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace velantra {

inline constexpr int FaderOffsetMax = 228;
inline constexpr int XyChannelMax = 253;

struct SharedValues {
    // Shared with the output tick.
    std::atomic<std::uint8_t> playMode{0};     // 1 = the sequencer plays
    std::atomic<std::int32_t> sceneAddr{0};    // index of cell 0 of the current scene
    std::atomic<std::uint8_t> faderOffset{0};  // fader f shows channel faderOffset + f
    std::atomic<std::uint8_t> handScanPriority{0};
    std::atomic<std::uint8_t> handScanX{0};
    std::atomic<std::uint8_t> handScanY{0};

    // GUI thread only.
    std::uint8_t showNamed = 0;  // 1 once opened or saved by name
    std::uint8_t xyChannel = 0;  // XY editor's first channel selector, 0..253
    std::string captionPrefix = " Initalization ";

    static constexpr std::uint16_t OutputPeriod = 50;  // ms, never changed
};

}  // namespace velantra
