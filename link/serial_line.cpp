#include "link/serial_line.h"

#if defined(__linux__)
#include <asm/termbits.h>
#include <sys/ioctl.h>
#endif

namespace velantra {

#if defined(__linux__)

namespace {

bool get(int fd, termios2& tio)
{
    return ::ioctl(fd, TCGETS2, &tio) == 0;
}

bool set(int fd, const termios2& tio)
{
    return ::ioctl(fd, TCSETS2, &tio) == 0;
}

}  // namespace

bool setLineBaud(int fd, std::uint32_t baud)
{
    termios2 tio{};
    if (baud == 0 || !get(fd, tio)) {
        return false;
    }
    // BOTHER: the speed is the number in c_ospeed, for input as for output.
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ospeed = baud;
    tio.c_ispeed = baud;
    return set(fd, tio);
}

bool setLineFrame(int fd, const LineFrame& frame)
{
    termios2 tio{};
    if ((frame.bits != 7 && frame.bits != 8) || (frame.stopBits != 1 && frame.stopBits != 2) || frame.parity < 0 ||
        frame.parity > 2 || !get(fd, tio)) {
        return false;
    }
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD);
    tio.c_cflag |= frame.bits == 8 ? CS8 : CS7;
    if (frame.stopBits == 2) {
        tio.c_cflag |= CSTOPB;
    }
    if (frame.parity != 0) {
        tio.c_cflag |= PARENB;
        if (frame.parity == 1) {
            tio.c_cflag |= PARODD;
        }
    }
    return set(fd, tio);
}

std::optional<std::uint32_t> lineBaud(int fd)
{
    termios2 tio{};
    if (!get(fd, tio)) {
        return std::nullopt;
    }
    return tio.c_ospeed;
}

std::optional<LineFrame> lineFrame(int fd)
{
    termios2 tio{};
    if (!get(fd, tio)) {
        return std::nullopt;
    }
    LineFrame frame;
    frame.bits = (tio.c_cflag & CSIZE) == CS8 ? 8 : 7;
    frame.stopBits = (tio.c_cflag & CSTOPB) != 0 ? 2 : 1;
    frame.parity = (tio.c_cflag & PARENB) == 0 ? 0 : (tio.c_cflag & PARODD) != 0 ? 1 : 2;
    return frame;
}

#else

bool setLineBaud(int /*fd*/, std::uint32_t /*baud*/)
{
    return false;
}

bool setLineFrame(int /*fd*/, const LineFrame& /*frame*/)
{
    return false;
}

std::optional<std::uint32_t> lineBaud(int /*fd*/)
{
    return std::nullopt;
}

std::optional<LineFrame> lineFrame(int /*fd*/)
{
    return std::nullopt;
}

#endif

}  // namespace velantra
