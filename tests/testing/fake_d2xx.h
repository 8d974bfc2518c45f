// An in-process stand-in for an FTDI device and its driver, for tests and the
// timing tool: attach and unplug at any moment, make any call fail with a
// chosen status, delay or stall writes, and record every byte written.
#pragma once

#include "link/d2xx.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace velantra {

// ListCount: the number-only listing; ListText: serial or description by index.
enum class FakeCall : std::uint8_t { ListCount, ListText, Open, Close, Reset, SetTimeouts, QueueStatus, Write, Count };

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
    std::atomic<int> inFlight_{0};
    std::atomic<int> maxInFlight_{0};
};

}  // namespace velantra
