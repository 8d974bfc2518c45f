// The link to the USB DMX interface: finds, opens and supervises the device
// once a second on the GUI thread, and writes every frame from the output tick.
//
// The poll and the frame write never talk to the driver at the same time: each
// takes the driver with a try-lock and, finding it busy, skips its turn (the
// poll waits for the next second, the frame for the next tick). Neither side
// ever waits for the other.
#pragma once

#include "engine/frame_output.h"
#include "link/d2xx.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

namespace velantra {

// Label under which a failing driver call is reported.
enum class UsbLabel : std::uint8_t {
    None,
    GetFTDeviceCount,
    GetFTDeviceSerialNo,
    GetFTDeviceDescription,
    FT_Open,
    FT_Close,
    FT_ResetDevice,
    FT_SetTimeouts,
    FT_GetQueueStatus,
    WriteDevice,
};

// The last error message, kept as codes so that the output thread never
// builds a string; the GUI turns it into text (usb_texts.h).
struct UsbStatus {
    UsbLabel label = UsbLabel::None;  // None: the message is empty
    FT_STATUS status = FT_OK;         // 1..6
};

// Outcome of the last device listing; the GUI turns it into the three texts.
struct UsbListing {
    enum class Count : std::uint8_t { NotListed, Devices, NoDevice };
    Count count = Count::NotListed;
    DWORD devices = 0;
    bool hasSerial = false;   // serial text is "серийный номер = " + serial
    std::string serial;       // driver bytes, at most 49 characters
    std::string description;  // driver bytes, at most 49 characters
};

inline constexpr int WireBufferSize = 32768;

class UsbLink : public FrameOutput {
public:
    explicit UsbLink(D2xxProvider& driver);

    // GUI thread, before the output thread starts. Lists the devices with
    // error reporting on and enables the poll.
    void InitUsbDevise();
    // GUI thread. Reads the device list (skipped while a frame is being written).
    void GetListAllDevise();
    // GUI thread, every 1000 ms. Opens the device, or checks that it is still there.
    void TimerPollingTimer();
    // GUI thread, after the output thread has stopped.
    void CloseUsbDevise();
    // Output thread. Encodes the frame into WireBuffer and writes it while the
    // interface is ready.
    void write(FrameView frame) override { SendToUsb(frame); }
    void SendToUsb(FrameView frame);
    // The last message written (length 0: none since the interface stopped
    // being ready). Output thread, or any thread while it is stopped.
    const std::array<std::uint8_t, WireBufferSize>& wireBuffer() const { return wireBuffer_; }
    int wireLength() const { return wireLength_; }

    // The driver wrappers. Each calls the driver once; a failure is reported
    // while UsbReportErrors is 1. The caller holds the driver.
    FT_STATUS GetFTDeviceCount();
    FT_STATUS GetFTDeviceSerialNo(int index);
    FT_STATUS GetFTDeviceDescription(int index);
    FT_STATUS OpenDevice();
    FT_STATUS CloseDevice();
    FT_STATUS ResetDevice();
    FT_STATUS SetDeviceTimeouts();
    FT_STATUS GetDeviceQueueStatus();
    FT_STATUS WriteDevice(int length);  // output thread

    // Any thread.
    UsbStatus status() const;
    bool pollingEnabled() const { return pollingEnabled_.load(std::memory_order_relaxed); }
    // GUI thread.
    const UsbListing& listing() const { return listing_; }
    const std::string& deviceText() const { return deviceText_; }
    const char* providerName() const { return driver_.providerName(); }

    static constexpr int UsbDeviceIndex = 0;
    static constexpr ULONG TimeoutMs = 500;
    static constexpr int DeviceTextMax = 49;
    static constexpr DWORD ListLimit = 128;  // never trust a larger count

    // Link flags, shared with the output tick.
    std::atomic<std::uint8_t> UsbOpen{0};
    std::atomic<std::uint8_t> UsbReady{0};
    std::atomic<std::uint8_t> UsbRelist{0};
    std::atomic<std::uint8_t> UsbReportErrors{0};
    std::atomic<FT_HANDLE> UsbHandle{nullptr};
    DWORD UsbDeviceCount = 0;  // GUI thread only

private:
    // Any thread. Never blocks: false when the other thread is using the driver.
    bool takeDriver() { return !driverBusy_.exchange(true, std::memory_order_acquire); }
    void releaseDriver() { driverBusy_.store(false, std::memory_order_release); }
    // Driver holder's thread. Records a failing status while reporting is on.
    FT_STATUS checked(FT_STATUS status, UsbLabel label);
    // GUI thread, holding the driver. The device listing itself.
    void listDevices();
    // GUI thread. Reads a text by index into deviceText_ (cut at 49 characters).
    FT_STATUS listText(int index, DWORD what, UsbLabel label);

    D2xxProvider& driver_;
    std::atomic<bool> driverBusy_{false};
    std::atomic<bool> pollingEnabled_{false};
    std::atomic<std::uint16_t> status_{0};                   // label << 8 | status
    std::array<std::uint8_t, WireBufferSize> wireBuffer_{};  // output thread only
    int wireLength_ = 0;                                     // output thread only
    UsbListing listing_;
    std::string deviceText_;
};

}  // namespace velantra
