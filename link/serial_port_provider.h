// The seven driver calls for FTDI devices that stay bound to the kernel's
// ftdi_sio driver and appear as /dev/ttyUSBn. A user in the dialout group gets
// frames without any udev rule.
//
// The line is opened non-blocking and put in raw mode, nothing else: no baud
// rate or flow control is set, the interface's chip takes the byte stream as
// it comes. Linux/Unix only; elsewhere the provider reports no devices.
//
// Threads: FT_Write runs on the link's writer thread, every other call on the GUI
// thread. The link guarantees the two never overlap, so there is no lock here.
#pragma once

#include "link/d2xx.h"
#include "link/usb_signature.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velantra {

struct SerialPortEntry {
    std::string path;  // "/dev/ttyUSB0"
    std::string serial;
    std::string description;
};

using SerialPortLister = std::function<std::vector<SerialPortEntry>()>;

class SerialPortProvider final : public D2xxProvider {
public:
    // GUI thread. The lister is asked for the ports on each count listing (an
    // empty lister means listFtdiPorts), unless a signature is given and reads
    // the same as at the last listing: then the last list stands.
    explicit SerialPortProvider(SerialPortLister lister = &SerialPortProvider::listFtdiPorts,
                                DeviceSignature signature = {});

    // GUI thread. May block briefly (reads the system's port list).
    // The serial ports of FTDI chips (USB vendor 0x0403), sorted by path so
    // that device 0 is the same one from one listing to the next.
    static std::vector<SerialPortEntry> listFtdiPorts();

    // GUI thread. Asks the lister on a count listing and remembers the list;
    // by-index listings and FT_Open use the remembered list.
    FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) override;
    // GUI thread. Never blocks (the line is opened non-blocking).
    FT_STATUS FT_Open(int index, FT_HANDLE* handle) override;
    // GUI thread. Closes the line and frees the handle.
    FT_STATUS FT_Close(FT_HANDLE handle) override;
    // GUI thread. Never blocks. Discards the line's pending input and output.
    FT_STATUS FT_ResetDevice(FT_HANDLE handle) override;
    // GUI thread. Never blocks. Only the write timeout is used.
    FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) override;
    // GUI thread. Never blocks. Fails with FT_IO_ERROR once the device is gone.
    FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) override;
    // The link's writer. Blocks at most for the write timeout; allocates nothing, takes no lock.
    FT_STATUS FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten) override;
    // GUI thread. Never blocks. Any rate (termios2 on Linux); FT_NOT_SUPPORTED where the line refuses it.
    FT_STATUS FT_SetBaudRate(FT_HANDLE handle, ULONG baud) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                        std::uint8_t parity) override;
    // The frame writer's thread. Never blocks: TIOCSBRK and TIOCCBRK.
    FT_STATUS FT_SetBreakOn(FT_HANDLE handle) override;
    FT_STATUS FT_SetBreakOff(FT_HANDLE handle) override;
    // GUI thread. Never blocks: what has arrived, at most bytesToRead.
    FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned) override;

    // Any thread.
    const char* providerName() const override { return "ftdi_sio"; }

private:
    void refreshPorts();

    SerialPortLister lister_;
    DeviceSignature signature_;
    std::optional<std::string> listedSignature_;  // the signature read with the last listing
    std::vector<SerialPortEntry> ports_;
    bool listed_ = false;
};

}  // namespace velantra
