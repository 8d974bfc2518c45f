// The seven driver calls over libftdi1 and libusb, for FTDI devices that the
// kernel's serial driver (ftdi_sio) has not taken: those appear as
// /dev/ttyUSBn and are served by the serial port provider instead.
#pragma once

#include "link/d2xx.h"
#include "link/usb_signature.h"

#include <compare>
#include <optional>
#include <string>
#include <vector>

struct ftdi_context;

namespace velantra {

// Where a device sits on USB: its bus and the port numbers from the root hub down.
struct UsbLocation {
    int bus = 0;
    std::vector<int> ports;

    auto operator<=>(const UsbLocation&) const = default;
};

// The kernel's name for the device under /sys/bus/usb/devices: "1-4.2" for
// bus 1, port 4, then port 2 of the hub there. Any thread. Never blocks.
std::string usbSysfsName(const UsbLocation& where);

// True when a ttyUSB exists under any interface of the device at `where`
// (<sysfsRoot>/<name>:<config>.<interface>/ttyUSB*), i.e. the kernel's serial
// driver holds it. A missing root or device counts as not held.
// GUI thread; reads sysfs (briefly blocking), never opens the device.
bool heldBySerialDriver(const std::string& sysfsRoot, const UsbLocation& where);

// The libftdi call a negative result came from: the same number means
// different things in different calls.
enum class FtdiCall {
    FindAll,     // ftdi_usb_find_all
    GetStrings,  // ftdi_usb_get_strings
    OpenDev,     // ftdi_usb_open_dev
    Transfer,    // ftdi_write_data, ftdi_usb_reset, ftdi_poll_modem_status
};

// The D2XX status for a libftdi result; 0 and above are FT_OK. Any thread. Never blocks.
FT_STATUS d2xxStatusFromFtdi(FtdiCall call, int result);

class FtdiProvider final : public D2xxProvider {
public:
    // GUI thread. With a signature, a count listing that finds it as it was
    // at the last one answers that count without enumerating the bus again.
    explicit FtdiProvider(DeviceSignature signature = {});
    // GUI thread. Closes whatever is still open.
    ~FtdiProvider() override;
    FtdiProvider(const FtdiProvider&) = delete;
    FtdiProvider& operator=(const FtdiProvider&) = delete;

    // GUI thread, all but FT_Write. They enumerate or talk to the device over
    // USB and block up to the timeouts. Devices are numbered by bus, then port.
    FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) override;
    FT_STATUS FT_Open(int index, FT_HANDLE* handle) override;
    FT_STATUS FT_Close(FT_HANDLE handle) override;
    FT_STATUS FT_ResetDevice(FT_HANDLE handle) override;
    FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) override;
    // Reads what the device has sent (one USB transfer, at most a latency
    // period) and reports it as received bytes; fails once the device is gone.
    FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) override;
    // GUI thread. The bytes FT_GetQueueStatus took in.
    FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned) override;
    // GUI thread.
    FT_STATUS FT_SetBaudRate(FT_HANDLE handle, ULONG baud) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                        std::uint8_t parity) override;
    // The frame writer's thread, under FT_Write's rule. One control transfer each.
    FT_STATUS FT_SetBreakOn(FT_HANDLE handle) override;
    FT_STATUS FT_SetBreakOff(FT_HANDLE handle) override;
    // The link's writer. Blocks up to the write timeout. The caller keeps it from
    // overlapping the other calls; it only reads this object.
    FT_STATUS FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten) override;

    // Any thread. Never blocks.
    const char* providerName() const override { return "libftdi1"; }

private:
    ftdi_context* openContext(FT_HANDLE handle) const;

    struct Line {
        ftdi_context* ctx = nullptr;
        int bits = 8;                         // ftdi_bits_type
        int stopBits = 0;                     // ftdi_stopbits_type
        int parity = 0;                       // ftdi_parity_type
        std::vector<unsigned char> received;  // taken in by FT_GetQueueStatus, not yet read
    };
    Line* lineOf(ftdi_context* ctx);
    FT_STATUS setBreak(FT_HANDLE handle, bool on);

    std::vector<ftdi_context*> open_;  // changed by FT_Open and FT_Close only
    std::vector<Line> lines_;          // one per open context; changed by FT_Open and FT_Close only
    DeviceSignature signature_;
    std::optional<std::string> countedSignature_;  // the signature read with the last count
    DWORD counted_ = 0;
};

}  // namespace velantra
