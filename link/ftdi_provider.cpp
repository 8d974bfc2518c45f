#include "link/ftdi_provider.h"

#include <ftdi.h>
#include <libusb.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace velantra {

namespace {

constexpr const char* SysfsUsbDevices = "/sys/bus/usb/devices";

// USB allows at most 7 tiers of hubs below the root.
constexpr int MaxPortDepth = 7;

UsbLocation locationOf(libusb_device* device)
{
    UsbLocation where;
    where.bus = libusb_get_bus_number(device);
    std::uint8_t ports[MaxPortDepth] = {};
    const int depth = libusb_get_port_numbers(device, ports, MaxPortDepth);
    for (int i = 0; i < depth; ++i) {
        where.ports.push_back(ports[i]);
    }
    return where;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// One look at the bus: the FTDI devices this provider serves, in bus and port
// order, listed with a libftdi context of their own.
class Enumeration {
public:
    Enumeration()
        : ctx_(ftdi_new())
    {
        if (ctx_ == nullptr) {
            status_ = FT_INSUFFICIENT_RESOURCES;
            return;
        }
        const int found = ftdi_usb_find_all(ctx_, &list_, 0, 0);
        if (found < 0) {
            status_ = d2xxStatusFromFtdi(FtdiCall::FindAll, found);
            return;
        }
        for (ftdi_device_list* entry = list_; entry != nullptr; entry = entry->next) {
            UsbLocation where = locationOf(entry->dev);
            if (!heldBySerialDriver(SysfsUsbDevices, where)) {
                devices_.emplace_back(std::move(where), entry->dev);
            }
        }
        std::sort(devices_.begin(), devices_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    }

    ~Enumeration()
    {
        ftdi_list_free(&list_);
        ftdi_free(ctx_);
    }

    Enumeration(const Enumeration&) = delete;
    Enumeration& operator=(const Enumeration&) = delete;

    FT_STATUS status() const { return status_; }
    std::size_t size() const { return devices_.size(); }
    libusb_device* device(std::size_t index) const { return devices_[index].second; }
    ftdi_context* context() const { return ctx_; }

    // Hands the context over after a successful open; the caller frees it.
    // An open device keeps its own reference, so the list can go.
    ftdi_context* release()
    {
        devices_.clear();
        ftdi_list_free(&list_);
        return std::exchange(ctx_, nullptr);
    }

private:
    ftdi_context* ctx_;
    ftdi_device_list* list_ = nullptr;
    std::vector<std::pair<UsbLocation, libusb_device*>> devices_;
    FT_STATUS status_ = FT_OK;
};

// The serial number or the description of a listed device into text (FT_LIST_TEXT_MAX bytes).
FT_STATUS readText(const Enumeration& devices, std::size_t index, bool serial, char* text)
{
    libusb_device* device = devices.device(index);
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(device, &descriptor) < 0) {
        return FT_IO_ERROR;
    }
    // A device without that string has nothing to read: the text stays empty.
    if ((serial ? descriptor.iSerialNumber : descriptor.iProduct) == 0) {
        return FT_OK;
    }
    char read[FT_LIST_TEXT_MAX] = {};
    const int result = serial
                           ? ftdi_usb_get_strings(devices.context(), device, nullptr, 0, nullptr, 0, read, sizeof read)
                           : ftdi_usb_get_strings(devices.context(), device, nullptr, 0, read, sizeof read, nullptr, 0);
    if (result < 0) {
        return d2xxStatusFromFtdi(FtdiCall::GetStrings, result);
    }
    read[FT_LIST_TEXT_MAX - 1] = '\0';
    std::memcpy(text, read, sizeof read);
    return FT_OK;
}

int timeoutMs(ULONG ms)
{
    return static_cast<int>(std::min<ULONG>(ms, INT_MAX));
}

}  // namespace

std::string usbSysfsName(const UsbLocation& where)
{
    if (where.ports.empty()) {
        return "usb" + std::to_string(where.bus);  // a root hub
    }
    std::string name = std::to_string(where.bus);
    char separator = '-';
    for (const int port : where.ports) {
        name += separator;
        name += std::to_string(port);
        separator = '.';
    }
    return name;
}

bool heldBySerialDriver(const std::string& sysfsRoot, const UsbLocation& where)
{
    namespace fs = std::filesystem;
    if (where.ports.empty()) {
        return false;
    }
    const std::string interfacePrefix = usbSysfsName(where) + ':';
    std::error_code error;
    for (fs::directory_iterator entry(sysfsRoot, error), end; !error && entry != end; entry.increment(error)) {
        if (!startsWith(entry->path().filename().string(), interfacePrefix)) {
            continue;
        }
        std::error_code inner;
        for (fs::directory_iterator item(entry->path(), inner); !inner && item != end; item.increment(inner)) {
            if (startsWith(item->path().filename().string(), "ttyUSB")) {
                return true;
            }
        }
    }
    return false;
}

FT_STATUS d2xxStatusFromFtdi(FtdiCall call, int result)
{
    if (result >= 0) {
        return FT_OK;
    }
    switch (call) {
    case FtdiCall::FindAll:
        // -3 out of memory; -5, -6 libusb could not list or describe the devices.
        return result == -3 ? FT_INSUFFICIENT_RESOURCES : FT_IO_ERROR;
    case FtdiCall::GetStrings:
        // -4 the device could not be opened, mostly for want of permission;
        // the others are failed reads of the descriptors.
        return result == -4 ? FT_DEVICE_NOT_OPENED : FT_IO_ERROR;
    case FtdiCall::OpenDev:
        // Every failure leaves the device closed: -4 libusb_open (permission,
        // or gone since the listing), -3 and -5 configuration or interface
        // taken by another driver, -8 no permission to detach it, -6, -7,
        // -9, -10, -12 the first requests to the device failed.
        return FT_DEVICE_NOT_OPENED;
    case FtdiCall::Transfer:
        // -1 the USB transfer failed (unplugged included); -2, -666 not open.
        return FT_IO_ERROR;
    }
    return FT_IO_ERROR;
}

FtdiProvider::~FtdiProvider()
{
    for (ftdi_context* ctx : open_) {
        ftdi_usb_close(ctx);
        ftdi_free(ctx);
    }
}

ftdi_context* FtdiProvider::openContext(FT_HANDLE handle) const
{
    if (handle == nullptr) {
        return nullptr;
    }
    const auto found = std::find(open_.begin(), open_.end(), static_cast<ftdi_context*>(handle));
    return found == open_.end() ? nullptr : *found;
}

FtdiProvider::FtdiProvider(DeviceSignature signature)
    : signature_(std::move(signature))
{}

FT_STATUS FtdiProvider::FT_ListDevices(void* arg1, void* arg2, DWORD flags)
{
    if (flags == FT_LIST_NUMBER_ONLY) {
        if (arg1 == nullptr) {
            return FT_INVALID_PARAMETER;
        }
        std::optional<std::string> now = signature_ ? signature_() : std::nullopt;
        if (now && now == countedSignature_) {
            *static_cast<DWORD*>(arg1) = counted_;  // nothing came or went on the bus
            return FT_OK;
        }
        countedSignature_.reset();
        const Enumeration devices;
        if (devices.status() != FT_OK) {
            return devices.status();
        }
        counted_ = static_cast<DWORD>(devices.size());
        countedSignature_ = std::move(now);
        *static_cast<DWORD*>(arg1) = counted_;
        return FT_OK;
    }

    const DWORD what = flags & ~FT_LIST_BY_INDEX;
    if ((flags & FT_LIST_BY_INDEX) == 0 || (what != FT_OPEN_BY_SERIAL_NUMBER && what != FT_OPEN_BY_DESCRIPTION) ||
        arg2 == nullptr) {
        return FT_INVALID_PARAMETER;
    }
    char* text = static_cast<char*>(arg2);
    text[0] = '\0';
    const auto index = reinterpret_cast<std::uintptr_t>(arg1);
    const Enumeration devices;
    if (devices.status() != FT_OK) {
        return devices.status();
    }
    if (index >= devices.size()) {
        return FT_DEVICE_NOT_FOUND;
    }
    return readText(devices, index, what == FT_OPEN_BY_SERIAL_NUMBER, text);
}

FT_STATUS FtdiProvider::FT_Open(int index, FT_HANDLE* handle)
{
    if (handle == nullptr) {
        return FT_INVALID_PARAMETER;
    }
    *handle = nullptr;
    if (index < 0) {
        return FT_DEVICE_NOT_FOUND;
    }
    Enumeration devices;
    if (devices.status() != FT_OK) {
        return devices.status();
    }
    if (static_cast<std::size_t>(index) >= devices.size()) {
        return FT_DEVICE_NOT_FOUND;
    }
    ftdi_context* ctx = devices.context();
    // Should the serial driver have the device after all, it gets it back on close.
    ctx->module_detach_mode = AUTO_DETACH_REATACH_SIO_MODULE;
    const int result = ftdi_usb_open_dev(ctx, devices.device(static_cast<std::size_t>(index)));
    if (result < 0) {
        return d2xxStatusFromFtdi(FtdiCall::OpenDev, result);
    }
    open_.reserve(open_.size() + 1);
    lines_.reserve(lines_.size() + 1);
    open_.push_back(devices.release());
    Line line;
    line.ctx = open_.back();
    lines_.push_back(std::move(line));
    *handle = open_.back();
    return FT_OK;
}

FT_STATUS FtdiProvider::FT_Close(FT_HANDLE handle)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    open_.erase(std::find(open_.begin(), open_.end(), ctx));
    lines_.erase(std::find_if(lines_.begin(), lines_.end(), [ctx](const Line& l) { return l.ctx == ctx; }));
    // A device already unplugged cannot release its interface; the handle is
    // gone all the same, so there is nothing for the caller to act on.
    ftdi_usb_close(ctx);
    ftdi_free(ctx);
    return FT_OK;
}

FT_STATUS FtdiProvider::FT_ResetDevice(FT_HANDLE handle)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    return d2xxStatusFromFtdi(FtdiCall::Transfer, ftdi_usb_reset(ctx));
}

FT_STATUS FtdiProvider::FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    ctx->usb_read_timeout = timeoutMs(readTimeout);
    ctx->usb_write_timeout = timeoutMs(writeTimeout);
    return FT_OK;
}

FT_STATUS FtdiProvider::FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if (rxBytes == nullptr) {
        return FT_INVALID_PARAMETER;
    }
    *rxBytes = 0;
    unsigned short modem = 0;
    const FT_STATUS status = d2xxStatusFromFtdi(FtdiCall::Transfer, ftdi_poll_modem_status(ctx, &modem));
    if (status != FT_OK) {
        return status;
    }
    // libftdi1 has no count of waiting bytes: one read takes what is there.
    Line* line = lineOf(ctx);
    std::array<unsigned char, 512> chunk{};
    const int got = ftdi_read_data(ctx, chunk.data(), static_cast<int>(chunk.size()));
    if (got < 0) {
        return d2xxStatusFromFtdi(FtdiCall::Transfer, got);
    }
    constexpr std::size_t MaxHeld = 4096;  // a device that talks and is never read keeps no more
    if (line->received.size() + static_cast<std::size_t>(got) <= MaxHeld) {
        line->received.insert(line->received.end(), chunk.begin(), chunk.begin() + got);
    }
    *rxBytes = static_cast<DWORD>(line->received.size());
    return FT_OK;
}

FtdiProvider::Line* FtdiProvider::lineOf(ftdi_context* ctx)
{
    const auto found = std::find_if(lines_.begin(), lines_.end(), [ctx](const Line& l) { return l.ctx == ctx; });
    return found == lines_.end() ? nullptr : &*found;
}

FT_STATUS FtdiProvider::FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if (bytesReturned == nullptr || (buffer == nullptr && bytesToRead > 0)) {
        return FT_INVALID_PARAMETER;
    }
    Line* line = lineOf(ctx);
    const std::size_t n = std::min<std::size_t>(bytesToRead, line->received.size());
    std::copy_n(line->received.begin(), n, static_cast<unsigned char*>(buffer));
    line->received.erase(line->received.begin(), line->received.begin() + static_cast<long>(n));
    *bytesReturned = static_cast<DWORD>(n);
    return FT_OK;
}

FT_STATUS FtdiProvider::FT_SetBaudRate(FT_HANDLE handle, ULONG baud)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if (baud > INT_MAX) {
        return FT_INVALID_PARAMETER;
    }
    return d2xxStatusFromFtdi(FtdiCall::Transfer, ftdi_set_baudrate(ctx, static_cast<int>(baud)));
}

FT_STATUS FtdiProvider::FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                                  std::uint8_t parity)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if ((wordLength != 7 && wordLength != 8) || (stopBits != 1 && stopBits != 2) || parity > 4) {
        return FT_INVALID_PARAMETER;
    }
    Line* line = lineOf(ctx);
    line->bits = wordLength == 8 ? BITS_8 : BITS_7;
    line->stopBits = stopBits == 2 ? STOP_BIT_2 : STOP_BIT_1;
    line->parity = parity;  // D2XX and libftdi1 number none, odd, even, mark, space alike
    return setBreak(handle, false);
}

FT_STATUS FtdiProvider::setBreak(FT_HANDLE handle, bool on)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    const Line* line = lineOf(ctx);
    return d2xxStatusFromFtdi(FtdiCall::Transfer,
                              ftdi_set_line_property2(ctx, static_cast<ftdi_bits_type>(line->bits),
                                                      static_cast<ftdi_stopbits_type>(line->stopBits),
                                                      static_cast<ftdi_parity_type>(line->parity),
                                                      on ? BREAK_ON : BREAK_OFF));
}

FT_STATUS FtdiProvider::FT_SetBreakOn(FT_HANDLE handle)
{
    return setBreak(handle, true);
}

FT_STATUS FtdiProvider::FT_SetBreakOff(FT_HANDLE handle)
{
    return setBreak(handle, false);
}

FT_STATUS FtdiProvider::FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten)
{
    ftdi_context* ctx = openContext(handle);
    if (ctx == nullptr) {
        return FT_INVALID_HANDLE;
    }
    if (bytesWritten == nullptr || (buffer == nullptr && bytesToWrite > 0)) {
        return FT_INVALID_PARAMETER;
    }
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    DWORD done = 0;
    FT_STATUS status = FT_OK;
    while (done < bytesToWrite) {
        const int chunk = static_cast<int>(std::min<DWORD>(bytesToWrite - done, INT_MAX));
        const int result = ftdi_write_data(ctx, bytes + done, chunk);
        if (result <= 0) {
            // 0 for a non-empty chunk would loop for ever: count it as a failed transfer.
            status = result < 0 ? d2xxStatusFromFtdi(FtdiCall::Transfer, result) : FT_IO_ERROR;
            break;
        }
        done += static_cast<DWORD>(std::min(result, chunk));
    }
    *bytesWritten = done;
    return status;
}

}  // namespace velantra
