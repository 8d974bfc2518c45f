#include "link/serial_port_provider.h"

#include "link/serial_line.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

#if defined(__unix__)
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace velantra {

namespace {

constexpr std::uint16_t FtdiVendorId = 0x0403;

// What the link passes; also used until FT_SetTimeouts is called, and for a
// timeout of 0, which D2XX reads as "wait forever" and the link's writer
// cannot afford.
constexpr ULONG DefaultWriteTimeoutMs = 500;

#if defined(__unix__)

struct SerialHandle {
    int fd = -1;
    ULONG writeTimeoutMs = DefaultWriteTimeoutMs;
};

SerialHandle* toHandle(FT_HANDLE handle)
{
    return static_cast<SerialHandle*>(handle);
}

constexpr short LineGone = POLLHUP | POLLERR | POLLNVAL;

#endif

}  // namespace

SerialPortProvider::SerialPortProvider(SerialPortLister lister, DeviceSignature signature)
    : lister_(lister ? std::move(lister) : SerialPortLister(&SerialPortProvider::listFtdiPorts))
    , signature_(std::move(signature))
{}

std::vector<SerialPortEntry> SerialPortProvider::listFtdiPorts()
{
    std::vector<SerialPortEntry> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        if (!info.hasVendorIdentifier() || info.vendorIdentifier() != FtdiVendorId) {
            continue;
        }
        SerialPortEntry entry{info.systemLocation().toStdString(), info.serialNumber().toStdString(),
                              info.description().toStdString()};
        if (!entry.path.empty()) {
            ports.push_back(std::move(entry));
        }
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.path < b.path; });
    return ports;
}

void SerialPortProvider::refreshPorts()
{
#if defined(__unix__)
    if (signature_) {
        std::optional<std::string> now = signature_();
        if (listed_ && now && now == listedSignature_) {
            return;  // no port came or went since the last listing
        }
        listedSignature_ = std::move(now);
    }
    ports_ = lister_();
#else
    ports_.clear();
#endif
    listed_ = true;
}

FT_STATUS SerialPortProvider::FT_ListDevices(void* arg1, void* arg2, DWORD flags)
{
    if (flags == FT_LIST_NUMBER_ONLY) {
        if (arg1 == nullptr) {
            return FT_INVALID_PARAMETER;
        }
        refreshPorts();
        *static_cast<DWORD*>(arg1) = static_cast<DWORD>(ports_.size());
        return FT_OK;
    }

    const DWORD what = flags & ~FT_LIST_BY_INDEX;
    if ((flags & FT_LIST_BY_INDEX) == 0 || (what != FT_OPEN_BY_SERIAL_NUMBER && what != FT_OPEN_BY_DESCRIPTION) ||
        arg2 == nullptr) {
        return FT_INVALID_PARAMETER;
    }
    const auto index = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(arg1));
    if (index >= ports_.size()) {
        return FT_DEVICE_NOT_FOUND;
    }
    const std::string& text = what == FT_OPEN_BY_SERIAL_NUMBER ? ports_[index].serial : ports_[index].description;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(FT_LIST_TEXT_MAX - 1));
    char* out = static_cast<char*>(arg2);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return FT_OK;
}

#if defined(__unix__)

FT_STATUS SerialPortProvider::FT_Open(int index, FT_HANDLE* handle)
{
    if (handle == nullptr) {
        return FT_INVALID_PARAMETER;
    }
    *handle = nullptr;
    if (!listed_) {
        refreshPorts();
    }
    if (index < 0 || static_cast<std::size_t>(index) >= ports_.size()) {
        return FT_DEVICE_NOT_FOUND;
    }

    const int fd =
        ::open(ports_[static_cast<std::size_t>(index)].path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? FT_DEVICE_NOT_FOUND : FT_DEVICE_NOT_OPENED;
    }
    // Raw mode only: without it the line discipline turns 0x0A into 0x0D 0x0A
    // and eats control characters. The baud rate is left as it is.
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        ::close(fd);  // not a terminal
        return FT_DEVICE_NOT_OPENED;
    }
    ::cfmakeraw(&tio);
    // Ignore the modem lines, so a glitch on DCD never hangs up the line mid-show.
    tio.c_cflag |= CLOCAL;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        ::close(fd);
        return FT_DEVICE_NOT_OPENED;
    }
    // No second program may open the port and write into the frame stream.
    // Pseudo-terminals used in place of a port may refuse this; that is harmless.
    (void)::ioctl(fd, TIOCEXCL);
    *handle = new SerialHandle{fd, DefaultWriteTimeoutMs};
    return FT_OK;
}

FT_STATUS SerialPortProvider::FT_Close(FT_HANDLE handle)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    ::close(h->fd);  // the descriptor is released even when this reports an error
    delete h;
    return FT_OK;
}

FT_STATUS SerialPortProvider::FT_ResetDevice(FT_HANDLE handle)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    return ::tcflush(h->fd, TCIOFLUSH) == 0 ? FT_OK : FT_IO_ERROR;
}

FT_STATUS SerialPortProvider::FT_SetTimeouts(FT_HANDLE handle, ULONG /*readTimeout*/, ULONG writeTimeout)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    h->writeTimeoutMs = writeTimeout == 0 ? DefaultWriteTimeoutMs : writeTimeout;
    return FT_OK;
}

FT_STATUS SerialPortProvider::FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if (rxBytes == nullptr) {
        return FT_INVALID_PARAMETER;
    }
    // An unplugged ftdi_sio device (or a pseudo-terminal whose master closed)
    // is hung up: poll reports POLLHUP and its ioctls fail.
    pollfd p{h->fd, POLLIN, 0};
    int rc = 0;
    do {
        rc = ::poll(&p, 1, 0);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0 || (p.revents & LineGone) != 0) {
        return FT_IO_ERROR;
    }
    int available = 0;
    if (::ioctl(h->fd, FIONREAD, &available) != 0) {
        return FT_IO_ERROR;
    }
    *rxBytes = static_cast<DWORD>(std::max(available, 0));
    return FT_OK;
}

FT_STATUS SerialPortProvider::FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if (bytesWritten == nullptr || (buffer == nullptr && bytesToWrite > 0)) {
        return FT_INVALID_PARAMETER;
    }
    *bytesWritten = 0;

    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(h->writeTimeoutMs);
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    DWORD done = 0;
    while (done < bytesToWrite) {
        const ssize_t n = ::write(h->fd, bytes + done, bytesToWrite - done);
        if (n > 0) {
            done += static_cast<DWORD>(n);
            *bytesWritten = done;
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return FT_IO_ERROR;  // EIO, ENXIO, EPIPE: the device is gone
        }

        // The kernel's buffer is full: wait for room, at most until the deadline.
        pollfd p{h->fd, POLLOUT, 0};
        int rc = 0;
        do {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                return FT_IO_ERROR;
            }
            rc = ::poll(&p, 1, static_cast<int>(std::min<std::int64_t>(left, INT_MAX)));
        } while (rc < 0 && errno == EINTR);
        if (rc <= 0 || (p.revents & LineGone) != 0) {
            return FT_IO_ERROR;  // timed out, or hung up while waiting
        }
    }
    return FT_OK;
}

FT_STATUS SerialPortProvider::FT_SetBaudRate(FT_HANDLE handle, ULONG baud)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    return setLineBaud(h->fd, baud) ? FT_OK : FT_NOT_SUPPORTED;
}

FT_STATUS SerialPortProvider::FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength,
                                                        std::uint8_t stopBits, std::uint8_t parity)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if ((wordLength != 7 && wordLength != 8) || (stopBits != 1 && stopBits != 2) || parity > 2) {
        return FT_INVALID_PARAMETER;
    }
    return setLineFrame(h->fd, LineFrame{wordLength, stopBits, parity}) ? FT_OK : FT_NOT_SUPPORTED;
}

FT_STATUS SerialPortProvider::FT_SetBreakOn(FT_HANDLE handle)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    return ::ioctl(h->fd, TIOCSBRK) == 0 ? FT_OK : FT_IO_ERROR;
}

FT_STATUS SerialPortProvider::FT_SetBreakOff(FT_HANDLE handle)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    return ::ioctl(h->fd, TIOCCBRK) == 0 ? FT_OK : FT_IO_ERROR;
}

FT_STATUS SerialPortProvider::FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned)
{
    SerialHandle* h = toHandle(handle);
    if (h == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if (bytesReturned == nullptr || (buffer == nullptr && bytesToRead > 0)) {
        return FT_INVALID_PARAMETER;
    }
    *bytesReturned = 0;
    ssize_t n = 0;
    do {
        n = ::read(h->fd, buffer, bytesToRead);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK ? FT_OK : FT_IO_ERROR;
    }
    *bytesReturned = static_cast<DWORD>(n);
    return FT_OK;
}

#else  // no POSIX terminals: no device is ever listed, so no handle exists

FT_STATUS SerialPortProvider::FT_Open(int /*index*/, FT_HANDLE* handle)
{
    if (handle == nullptr) {
        return FT_INVALID_PARAMETER;
    }
    *handle = nullptr;
    return FT_DEVICE_NOT_FOUND;
}

FT_STATUS SerialPortProvider::FT_Close(FT_HANDLE /*handle*/)
{
    return FT_INVALID_HANDLE;
}

FT_STATUS SerialPortProvider::FT_ResetDevice(FT_HANDLE /*handle*/)
{
    return FT_INVALID_HANDLE;
}

FT_STATUS SerialPortProvider::FT_SetTimeouts(FT_HANDLE /*handle*/, ULONG /*readTimeout*/, ULONG /*writeTimeout*/)
{
    return FT_INVALID_HANDLE;
}

FT_STATUS SerialPortProvider::FT_GetQueueStatus(FT_HANDLE /*handle*/, DWORD* /*rxBytes*/)
{
    return FT_INVALID_HANDLE;
}

FT_STATUS SerialPortProvider::FT_Write(FT_HANDLE /*handle*/, void* /*buffer*/, DWORD /*bytesToWrite*/,
                                       DWORD* bytesWritten)
{
    if (bytesWritten != nullptr) {
        *bytesWritten = 0;
    }
    return FT_INVALID_HANDLE;
}

#endif

}  // namespace velantra
