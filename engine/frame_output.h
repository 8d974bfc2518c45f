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

    // Output thread, once a tick while output is allowed. Takes the frame.
    // Never waits on the GUI, a file or the network; a USB device write waits
    // at most for the device's write timeout.
    virtual void write(FrameView frame) = 0;

    // Output thread, once, when output stops being allowed ("Работа в DEMO
    // режиме" checked): an output that announces its end does so here.
    // Never blocks.
    virtual void silence() {}
};

}  // namespace velantra
