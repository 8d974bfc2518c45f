// The line settings of a serial device that the standard termios calls
// cannot make: any baud rate (250,000 for DMX), through Linux's termios2.
// Kept apart from <termios.h>, whose definitions clash with the kernel's.
#pragma once

#include <cstdint>
#include <optional>

namespace velantra {

// The frame of each character.
struct LineFrame {
    int bits = 8;      // 7 or 8
    int stopBits = 1;  // 1 or 2
    int parity = 0;    // 0 none, 1 odd, 2 even
};

// GUI thread. Never blocks. False where the system cannot (not Linux, or
// the device refuses): the device is left as it was.
bool setLineBaud(int fd, std::uint32_t baud);
bool setLineFrame(int fd, const LineFrame& frame);
// GUI thread. The baud rate and frame the device has now, as the kernel keeps them.
std::optional<std::uint32_t> lineBaud(int fd);
std::optional<LineFrame> lineFrame(int fd);

}  // namespace velantra
