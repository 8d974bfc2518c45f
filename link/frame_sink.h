// Where the output tick hands each encoded frame message.
#pragma once

#include <cstdint>

namespace velantra {

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Output thread. Writes one message; may block at most for the device's
    // write timeout, never on the GUI thread.
    virtual void writeFrame(const std::uint8_t* message, int length) = 0;
};

}  // namespace velantra
