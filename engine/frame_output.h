// What every output receives: the frame that the output tick composed and
// patched, start code first. The USB link and the network outputs each keep
// their own buffers; the tick's buffers stay the tick's.
#pragma once

#include "engine/dmx.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace velantra {

inline constexpr std::size_t FrameSlots = DmxSlots;
using FrameView = std::span<const std::uint8_t, FrameSlots>;
using FrameSlotsArray = std::array<std::uint8_t, FrameSlots>;

// The desk's universes: the first (the patch) and up to three further ones.
inline constexpr std::size_t MaxUniverses = 4;

class FrameOutput {
public:
    virtual ~FrameOutput() = default;

    // Output thread, once a tick while output is allowed. Takes the frame
    // for a writer of the output's own and never waits on the GUI, a file,
    // the network or a device (only a tick stepped by hand may have an output
    // write before returning).
    virtual void write(FrameView frame) = 0;

    // Output thread, once a tick just before write(): the frames of the
    // desk's further universes (universe 2 first), empty while it has one.
    // Outputs that carry one universe (the USB link) ignore them.
    virtual void writeFurther(std::span<const FrameSlotsArray> further) { (void)further; }

    // Output thread, once, when output stops being allowed ("Работа в DEMO
    // режиме" checked): an output that announces its end does so here.
    // Never blocks.
    virtual void silence() {}
};

}  // namespace velantra
