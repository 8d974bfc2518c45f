// The link to the USB DMX interface: finds, opens and supervises the device
// once a second on the GUI thread, and writes the frames the output tick hands
// over. A writer thread of the link's own takes the newest frame and writes it,
// so that a device slow to take a write (up to the write timeout) holds back
// neither the tick nor the other outputs; frames handed over meanwhile are
// replaced by the newest, never queued.
//
// The poll and the frame write never talk to the driver at the same time: each
// takes the driver with a try-lock and, finding it busy, skips its turn (the
// poll waits for the next second, the frame for the next one). Neither side
// ever waits for the other.
#pragma once

#include "engine/frame_output.h"
#include "engine/latest_frame.h"
#include "engine/wake_signal.h"
#include "link/d2xx.h"
#include "link/pro_widget.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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
    FT_SetBaudRate,
    FT_SetDataCharacteristics,
    FT_SetBreak,
    FT_Read,
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

// What the device on the link speaks.
enum class InterfaceKind : std::uint8_t {
    Framed,   // the program's own interface: the framed, escaped stream
    Pro,      // a "DMX USB Pro": labelled messages to its microcontroller
    OpenDmx,  // an "Open DMX": the computer makes the DMX signal itself
};

// Which kind the operator chose for a device; Auto goes by what the device's
// description names, and is the program's own interface otherwise.
enum class KindChoice : std::uint8_t { Auto, Framed, Pro, OpenDmx };

// The choices kept per device: serial number and kind. A device not named is Auto.
using KindChoices = std::vector<std::pair<std::string, KindChoice>>;

// Any thread. The kind a device's USB description names, if any ("DMX USB PRO").
std::optional<InterfaceKind> kindFromDescription(const std::string& description);
// Any thread. The kind a device is driven as, for the operator's choice and its description.
InterfaceKind kindToDrive(KindChoice choice, const std::string& description);
// Any thread. The choice kept for serial in choices; Auto when none.
KindChoice choiceFor(const KindChoices& choices, const std::string& serial);

// A device's serial number and description, as the driver lists them (at most 49 characters each).
struct UsbDeviceTexts {
    std::string serial;
    std::string description;
    friend bool operator==(const UsbDeviceTexts&, const UsbDeviceTexts&) = default;
};

// The Open DMX line: 250 kbaud, 8 data bits, 2 stop bits, no parity; before
// each frame a break of at least 92 µs and a mark-after-break of at least 12 µs.
inline constexpr ULONG OpenDmxBaud = 250000;
inline constexpr int OpenDmxBreakMicros = 110;
inline constexpr int OpenDmxMarkMicros = 16;

// What a DMX USB Pro said about itself (GUI thread).
struct ProWidgetInfo {
    std::optional<pro::Parameters> parameters;
    std::optional<std::uint32_t> serial;
};

class UsbLink : public FrameOutput {
public:
    // Where the frames are written: OnWriterThread, on the link's writer
    // thread (the output thread's way); OnCaller, before write() returns, on
    // the thread that hands the frame over, exactly as the writer would write
    // it (for a tick stepped by hand, and for tests of the link alone).
    enum class Writes : std::uint8_t { OnCaller, OnWriterThread };

    explicit UsbLink(D2xxProvider& driver, Writes writes = Writes::OnCaller);

    // GUI thread, before the output thread starts. Lists the devices with
    // error reporting on and enables the poll. (Older notes: InitUsbDevise,
    // GetListAllDevise, TimerPollingTimer, CloseUsbDevise and SendToUsb for
    // these five.)
    void openInterface();
    // GUI thread. Reads the device list (skipped while a frame is being written).
    void readDeviceList();
    // GUI thread, every 1000 ms. Opens the device, or checks that it is still there.
    void poll();
    // GUI thread, after the output thread has stopped.
    void closeInterface();
    ~UsbLink() override;

    // GUI thread. The kinds chosen per serial number; the device the link
    // opens is driven as chosen for its own serial number (others: for a
    // device not named). A change for the open device closes it so that the
    // next poll opens it as the new kind.
    void setKindChoices(KindChoices choices, KindChoice others = KindChoice::Auto);
    // GUI thread. Every device is driven as choice (the per-device choices are dropped).
    void setKindChoice(KindChoice choice) { setKindChoices({}, choice); }
    // GUI thread. The choice for device().
    KindChoice kindChoice() const;
    // GUI thread. The device open, or while none is, the first one listed:
    // the one the next poll opens (the driver's device 0).
    const UsbDeviceTexts& device() const { return device_; }
    // Any thread. The kind the open device is driven as.
    InterfaceKind kind() const { return kind_.load(std::memory_order_relaxed); }
    // Any thread. The device is open but its driver cannot drive the kind
    // chosen (an Open DMX without a break): nothing is written, the status
    // says why, and the link waits for another choice or a replug.
    bool kindUnsupported() const { return unsupported_.load(std::memory_order_relaxed); }
    // GUI thread. What a DMX USB Pro answered to the requests for its
    // parameters and serial number (sent at open, and again at the next few
    // polls while an answer is missing): an answer proves the widget.
    const ProWidgetInfo& proInfo() const { return proInfo_; }
    // GUI thread. Offline ("Работа в DEMO режиме"): nothing at all is written
    // to the device, neither frames nor the widget's requests.
    void setOffline(bool offline) { offline_.store(offline, std::memory_order_relaxed); }
    bool offline() const { return offline_.load(std::memory_order_relaxed); }
    // GUI thread. The highest output slot in use (1..512): a DMX USB Pro is
    // sent that many slots (at least 24).
    void setSlotsUsed(int count) { slotsUsed_.store(count, std::memory_order_relaxed); }
    // Any thread. Frames the writer put on an Open DMX line since the start.
    std::uint64_t openDmxFrames() const { return openDmxFrames_.load(std::memory_order_relaxed); }
    // Output thread. Hands the frame to the writer, which encodes it for the
    // kind (into WireBuffer) and writes it while the interface is ready. With
    // Writes::OnWriterThread it never blocks; with Writes::OnCaller the write
    // is done before it returns.
    void write(FrameView frame) override { writeFrame(frame); }
    void writeFrame(FrameView frame);
    // The last message written (length 0: none since the interface stopped
    // being ready). The writer's, or any thread's while no frame is handed over.
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
    FT_STATUS GetDeviceQueueStatus(DWORD* queued = nullptr);
    FT_STATUS WriteDevice(int length);  // the writer

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
    // Times a DMX USB Pro is asked for what it has not told yet: at open, and
    // again after every QuietPollsBeforeAsking polls that read nothing from it.
    static constexpr int ProRequestAsks = 4;
    static constexpr int QuietPollsBeforeAsking = 2;

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
    // GUI thread, holding the driver. Sets the device up for its kind after it opened.
    void startKind();
    // GUI thread, holding the driver. Reads what a DMX USB Pro sent back.
    void readReplies(DWORD queued);
    // GUI thread. One message a DMX USB Pro sent back.
    void takeReply(std::uint8_t label, std::span<const std::uint8_t> data);
    // GUI thread, holding the driver. Writes a request outside the frame stream.
    void writeRequest(std::vector<std::uint8_t> bytes);
    // GUI thread, holding the driver (never the output thread). Asks a DMX
    // USB Pro for what it has not answered, while asks are left and the link
    // is not offline.
    void askMissing();
    // GUI thread, holding the driver. The serial number and description of the device just opened.
    void readOpenedTexts();
    // Driver holder's thread. The driver cannot drive the kind: a steady
    // message, no frames, and no reopening.
    void cannotDrive(UsbLabel label);
    // The writer (its thread, or the caller with Writes::OnCaller). Writes
    // the newest frame handed over, if any, as the kind wants it.
    void writeNewest();
    // The writer, holding the driver: break, mark-after-break, then the frame.
    void writeOpenDmx(FT_HANDLE handle);
    // The writer's thread: waits for a frame, writes the newest.
    void writerLoop();
    // GUI thread. Starts the writer's thread (Writes::OnWriterThread only); stops it.
    void startWriter();
    void stopWriter();

    D2xxProvider& driver_;
    std::atomic<bool> driverBusy_{false};
    std::atomic<bool> pollingEnabled_{false};
    std::atomic<std::uint16_t> status_{0};                   // label << 8 | status
    std::array<std::uint8_t, WireBufferSize> wireBuffer_{};  // the writer's
    int wireLength_ = 0;                                     // the writer's
    UsbListing listing_;
    std::string deviceText_;
    UsbDeviceTexts firstListed_;  // GUI thread: device 0 of the last listing
    UsbDeviceTexts device_;       // GUI thread

    KindChoices choices_;                         // GUI thread
    KindChoice otherChoice_ = KindChoice::Auto;   // GUI thread: for a device not in choices_
    KindChoice openedChoice_ = KindChoice::Auto;  // GUI thread: the choice the device was opened with
    std::atomic<InterfaceKind> kind_{InterfaceKind::Framed};
    std::atomic<bool> unsupported_{false};
    std::atomic<bool> offline_{false};
    ProWidgetInfo proInfo_;     // GUI thread
    pro::ReplyReader replies_;  // GUI thread
    int asksLeft_ = 0;          // GUI thread
    int quietPolls_ = 0;        // GUI thread: polls that read nothing since the last ask or byte
    std::atomic<int> slotsUsed_{pro::MaxSlots};

    const Writes writes_;
    LatestFrame handedOver_;            // output thread publishes, the writer takes
    LatestFrame::Frame writerFrame_{};  // the writer's: the frame being written
    WakeSignal writerWake_;
    std::thread writer_;
    std::atomic<bool> writerRunning_{false};
    std::atomic<std::uint64_t> openDmxFrames_{0};
};

}  // namespace velantra
