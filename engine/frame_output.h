// What every output receives: the frame that the output tick composed and
// patched, start code first. The USB link and the network outputs each keep
// their own buffers; the tick's buffers stay the tick's.
#pragma once

#include "engine/dmx.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace velantra {

inline constexpr std::size_t FrameSlots = DmxSlots;
using FrameView = std::span<const std::uint8_t, FrameSlots>;

class FrameOutput {
public:
    virtual ~FrameOutput() = default;

    // Output thread, once a tick while output is allowed. Takes the frame
    // for a writer of the output's own and never waits on the GUI, a file,
    // the network or a device (only a tick stepped by hand may have an output
    // write before returning).
    virtual void write(FrameView frame) = 0;

    // Output thread, once, when output stops being allowed ("Работа в DEMO
    // режиме" checked): an output that announces its end does so here.
    // Never blocks.
    virtual void silence() {}
};

}  // namespace velantra
