// An in-process stand-in for an FTDI device and its driver, for tests and the
// timing tool: attach and unplug at any moment, make any call fail with a
// chosen status, delay or stall writes, and record every byte written.
#pragma once

#include "link/d2xx.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace velantra {

// ListCount: the number-only listing; ListText: serial or description by index.
enum class FakeCall : std::uint8_t {
    ListCount,
    ListText,
    Open,
    Close,
    Reset,
    SetTimeouts,
    QueueStatus,
    Write,
    SetBaudRate,
    SetDataCharacteristics,
    BreakOn,
    BreakOff,
    Read,
    Count
};

// One call the device saw, when it was made (the writes: when they ended).
struct FakeEvent {
    FakeCall call;
    std::chrono::steady_clock::time_point at;
};

class FakeD2xx : public D2xxProvider {
public:
    explicit FakeD2xx(const char* name = "fake")
        : name_(name)
    {}

    // Any thread. Plugs in a device; it is listed after those already attached.
    void attach(std::string serial = "VL000001", std::string description = "USB DMX512 Interface");
    // Any thread. Every device goes away; handles opened before stay dead.
    void unplug();
    // Any thread. Makes every later call of that kind return status (FT_OK: work again).
    void failCall(FakeCall call, FT_STATUS status);
    // Any thread. Every write takes this long before it completes.
    void setWriteDelay(std::chrono::microseconds delay);
    // Any thread. The next write stalls this long, once.
    void stallNextWrite(std::chrono::milliseconds stall);
    // Any thread. Keep at most this many written messages (older ones are dropped).
    void setRecordLimit(std::size_t messages);

    // Any thread. Bytes the device sends back, read by FT_Read.
    void queueReply(const std::vector<std::uint8_t>& bytes);
    // Any thread. The device answers as a DMX USB Pro: a parameters request
    // (label 3) with parameters, a serial number request (label 10) with serial.
    void answerAsProWidget(std::vector<std::uint8_t> parameters, std::vector<std::uint8_t> serial);
    // Any thread. Line settings as the last calls left them.
    ULONG baudRate() const;
    std::array<std::uint8_t, 3> dataCharacteristics() const;  // bits, stop bits, parity
    // Any thread. Every call of the kinds the Open DMX line uses (line
    // settings, break on and off, writes), in order, with their times.
    std::vector<FakeEvent> events() const;

    // Any thread. What the device received, one message per FT_Write.
    std::vector<std::vector<std::uint8_t>> writes() const;
    std::size_t writeCount() const;
    int opens() const;
    int closes() const;
    int openHandles() const;
    ULONG writeTimeout() const;
    // Most driver calls ever in progress at the same time.
    int maxConcurrentCalls() const { return maxInFlight_.load(); }
    // Driver calls in progress now.
    int callsInProgress() const { return inFlight_.load(); }

    FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) override;
    FT_STATUS FT_Open(int index, FT_HANDLE* handle) override;
    FT_STATUS FT_Close(FT_HANDLE handle) override;
    FT_STATUS FT_ResetDevice(FT_HANDLE handle) override;
    FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) override;
    FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) override;
    FT_STATUS FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten) override;
    FT_STATUS FT_SetBaudRate(FT_HANDLE handle, ULONG baud) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                        std::uint8_t parity) override;
    FT_STATUS FT_SetBreakOn(FT_HANDLE handle) override;
    FT_STATUS FT_SetBreakOff(FT_HANDLE handle) override;
    FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned) override;
    const char* providerName() const override { return name_; }

private:
    struct Device {
        std::string serial;
        std::string description;
    };
    class CallScope;

    // Caller holds mutex_. Status a failed call of this kind returns, or FT_OK.
    FT_STATUS failure(FakeCall call) const { return failures_[static_cast<int>(call)]; }
    // Caller holds mutex_. The handle belongs to an open device that is still plugged in.
    bool live(FT_HANDLE handle) const;
    // Caller holds mutex_. The handle was handed out by FT_Open and not closed.
    bool known(FT_HANDLE handle) const;
    // Caller holds mutex_. A line call: fails as told, else is logged.
    FT_STATUS lineCall(FakeCall call, FT_HANDLE handle);
    // Caller holds mutex_. A widget's answers to the requests in bytes.
    void answer(const std::uint8_t* bytes, std::size_t size);

    const char* name_;
    mutable std::mutex mutex_;
    std::vector<Device> devices_;
    std::vector<std::uintptr_t> open_;  // handles handed out and not closed
    std::uintptr_t nextHandle_ = 0x1000;
    std::uintptr_t firstLiveHandle_ = 0;  // handles below this were opened before the last unplug
    FT_STATUS failures_[static_cast<int>(FakeCall::Count)] = {};
    std::chrono::microseconds writeDelay_{0};
    std::chrono::milliseconds stall_{0};
    std::size_t recordLimit_ = 100000;
    std::vector<std::vector<std::uint8_t>> writes_;
    std::size_t writeCount_ = 0;
    int opens_ = 0;
    int closes_ = 0;
    ULONG writeTimeout_ = 0;
    std::vector<std::uint8_t> replies_;
    bool proWidget_ = false;
    std::vector<std::uint8_t> proParameters_;
    std::vector<std::uint8_t> proSerial_;
    ULONG baud_ = 9600;
    std::array<std::uint8_t, 3> characteristics_{8, 1, 0};
    std::vector<FakeEvent> events_;
    std::atomic<int> inFlight_{0};
    std::atomic<int> maxInFlight_{0};
};

}  // namespace velantra
