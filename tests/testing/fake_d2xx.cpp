#include "tests/testing/fake_d2xx.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace velantra {

// Counts the calls in progress, to catch two threads talking to the driver at once.
class FakeD2xx::CallScope {
public:
    explicit CallScope(FakeD2xx& fake)
        : fake_(fake)
    {
        const int now = fake_.inFlight_.fetch_add(1) + 1;
        int seen = fake_.maxInFlight_.load();
        while (now > seen && !fake_.maxInFlight_.compare_exchange_weak(seen, now)) {
        }
    }
    ~CallScope() { fake_.inFlight_.fetch_sub(1); }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    FakeD2xx& fake_;
};

void FakeD2xx::attach(std::string serial, std::string description)
{
    std::lock_guard lock(mutex_);
    devices_.push_back({std::move(serial), std::move(description)});
}

void FakeD2xx::unplug()
{
    std::lock_guard lock(mutex_);
    devices_.clear();
    firstLiveHandle_ = nextHandle_;
}

void FakeD2xx::failCall(FakeCall call, FT_STATUS status)
{
    std::lock_guard lock(mutex_);
    failures_[static_cast<int>(call)] = status;
}

void FakeD2xx::setWriteDelay(std::chrono::microseconds delay)
{
    std::lock_guard lock(mutex_);
    writeDelay_ = delay;
}

void FakeD2xx::stallNextWrite(std::chrono::milliseconds stall)
{
    std::lock_guard lock(mutex_);
    stall_ = stall;
}

void FakeD2xx::setRecordLimit(std::size_t messages)
{
    std::lock_guard lock(mutex_);
    recordLimit_ = messages;
}

std::vector<std::vector<std::uint8_t>> FakeD2xx::writes() const
{
    std::lock_guard lock(mutex_);
    return writes_;
}

std::size_t FakeD2xx::writeCount() const
{
    std::lock_guard lock(mutex_);
    return writeCount_;
}

int FakeD2xx::opens() const
{
    std::lock_guard lock(mutex_);
    return opens_;
}

int FakeD2xx::closes() const
{
    std::lock_guard lock(mutex_);
    return closes_;
}

int FakeD2xx::openHandles() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(open_.size());
}

ULONG FakeD2xx::writeTimeout() const
{
    std::lock_guard lock(mutex_);
    return writeTimeout_;
}

bool FakeD2xx::known(FT_HANDLE handle) const
{
    const auto h = reinterpret_cast<std::uintptr_t>(handle);
    return std::find(open_.begin(), open_.end(), h) != open_.end();
}

bool FakeD2xx::live(FT_HANDLE handle) const
{
    return known(handle) && reinterpret_cast<std::uintptr_t>(handle) >= firstLiveHandle_ && !devices_.empty();
}

FT_STATUS FakeD2xx::FT_ListDevices(void* arg1, void* arg2, DWORD flags)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    if (flags == FT_LIST_NUMBER_ONLY) {
        if (const FT_STATUS s = failure(FakeCall::ListCount)) {
            return s;
        }
        *static_cast<DWORD*>(arg1) = static_cast<DWORD>(devices_.size());
        return FT_OK;
    }
    if (const FT_STATUS s = failure(FakeCall::ListText)) {
        return s;
    }
    const auto index = reinterpret_cast<std::uintptr_t>(arg1);
    if (index >= devices_.size()) {
        return FT_DEVICE_NOT_FOUND;
    }
    const std::string* text = nullptr;
    if (flags == (FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER)) {
        text = &devices_[index].serial;
    } else if (flags == (FT_LIST_BY_INDEX | FT_OPEN_BY_DESCRIPTION)) {
        text = &devices_[index].description;
    } else {
        return FT_INVALID_PARAMETER;
    }
    const std::size_t n = std::min<std::size_t>(text->size(), FT_LIST_TEXT_MAX - 1);
    std::memcpy(arg2, text->data(), n);
    static_cast<char*>(arg2)[n] = 0;
    return FT_OK;
}

FT_STATUS FakeD2xx::FT_Open(int index, FT_HANDLE* handle)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    if (const FT_STATUS s = failure(FakeCall::Open)) {
        return s;
    }
    if (index < 0 || static_cast<std::size_t>(index) >= devices_.size()) {
        return FT_DEVICE_NOT_FOUND;
    }
    const std::uintptr_t h = nextHandle_++;
    open_.push_back(h);
    ++opens_;
    *handle = reinterpret_cast<FT_HANDLE>(h);
    return FT_OK;
}

FT_STATUS FakeD2xx::FT_Close(FT_HANDLE handle)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    if (const FT_STATUS s = failure(FakeCall::Close)) {
        return s;
    }
    if (!known(handle)) {
        return FT_INVALID_HANDLE;
    }
    std::erase(open_, reinterpret_cast<std::uintptr_t>(handle));
    ++closes_;
    return FT_OK;
}

FT_STATUS FakeD2xx::FT_ResetDevice(FT_HANDLE handle)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    if (const FT_STATUS s = failure(FakeCall::Reset)) {
        return s;
    }
    return live(handle) ? FT_OK : FT_IO_ERROR;
}

FT_STATUS FakeD2xx::FT_SetTimeouts(FT_HANDLE handle, ULONG, ULONG writeTimeout)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    if (const FT_STATUS s = failure(FakeCall::SetTimeouts)) {
        return s;
    }
    if (!live(handle)) {
        return FT_IO_ERROR;
    }
    writeTimeout_ = writeTimeout;
    return FT_OK;
}

FT_STATUS FakeD2xx::FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    if (const FT_STATUS s = failure(FakeCall::QueueStatus)) {
        return s;
    }
    *rxBytes = live(handle) ? static_cast<DWORD>(replies_.size()) : 0;
    return live(handle) ? FT_OK : FT_IO_ERROR;
}

FT_STATUS FakeD2xx::FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten)
{
    CallScope scope(*this);
    std::chrono::microseconds wait{0};
    {
        std::lock_guard lock(mutex_);
        wait = writeDelay_ + stall_;
        stall_ = std::chrono::milliseconds(0);
    }
    if (wait.count() > 0) {
        std::this_thread::sleep_for(wait);
    }
    std::lock_guard lock(mutex_);
    *bytesWritten = 0;
    if (const FT_STATUS s = failure(FakeCall::Write)) {
        return s;
    }
    if (!live(handle)) {
        return FT_IO_ERROR;
    }
    ++writeCount_;
    if (recordLimit_ > 0) {
        if (writes_.size() >= recordLimit_) {
            writes_.erase(writes_.begin());
        }
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        writes_.emplace_back(bytes, bytes + bytesToWrite);
    }
    events_.push_back({FakeCall::Write, std::chrono::steady_clock::now()});
    if (events_.size() > 100000) {
        events_.erase(events_.begin(), events_.begin() + 50000);
    }
    answer(static_cast<const std::uint8_t*>(buffer), bytesToWrite);
    *bytesWritten = bytesToWrite;
    return FT_OK;
}

void FakeD2xx::queueReply(const std::vector<std::uint8_t>& bytes)
{
    std::lock_guard lock(mutex_);
    replies_.insert(replies_.end(), bytes.begin(), bytes.end());
}

void FakeD2xx::answerAsProWidget(std::vector<std::uint8_t> parameters, std::vector<std::uint8_t> serial)
{
    std::lock_guard lock(mutex_);
    proWidget_ = true;
    proParameters_ = std::move(parameters);
    proSerial_ = std::move(serial);
}

void FakeD2xx::answer(const std::uint8_t* bytes, std::size_t size)
{
    if (!proWidget_ || size < 5 || bytes[0] != 0x7E) {
        return;
    }
    const auto reply = [this](std::uint8_t label, const std::vector<std::uint8_t>& data) {
        replies_.insert(replies_.end(), {0x7E, label, static_cast<std::uint8_t>(data.size() & 0xFF),
                                         static_cast<std::uint8_t>(data.size() >> 8)});
        replies_.insert(replies_.end(), data.begin(), data.end());
        replies_.push_back(0xE7);
    };
    if (bytes[1] == 3) {
        reply(3, proParameters_);
    } else if (bytes[1] == 10) {
        reply(10, proSerial_);
    }
}

ULONG FakeD2xx::baudRate() const
{
    std::lock_guard lock(mutex_);
    return baud_;
}

std::array<std::uint8_t, 3> FakeD2xx::dataCharacteristics() const
{
    std::lock_guard lock(mutex_);
    return characteristics_;
}

std::vector<FakeEvent> FakeD2xx::events() const
{
    std::lock_guard lock(mutex_);
    return events_;
}

FT_STATUS FakeD2xx::lineCall(FakeCall call, FT_HANDLE handle)
{
    if (const FT_STATUS s = failure(call)) {
        return s;
    }
    if (!live(handle)) {
        return FT_IO_ERROR;
    }
    events_.push_back({call, std::chrono::steady_clock::now()});
    return FT_OK;
}

FT_STATUS FakeD2xx::FT_SetBaudRate(FT_HANDLE handle, ULONG baud)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    const FT_STATUS s = lineCall(FakeCall::SetBaudRate, handle);
    if (s == FT_OK) {
        baud_ = baud;
    }
    return s;
}

FT_STATUS FakeD2xx::FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                              std::uint8_t parity)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    const FT_STATUS s = lineCall(FakeCall::SetDataCharacteristics, handle);
    if (s == FT_OK) {
        characteristics_ = {wordLength, stopBits, parity};
    }
    return s;
}

FT_STATUS FakeD2xx::FT_SetBreakOn(FT_HANDLE handle)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    return lineCall(FakeCall::BreakOn, handle);
}

FT_STATUS FakeD2xx::FT_SetBreakOff(FT_HANDLE handle)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    return lineCall(FakeCall::BreakOff, handle);
}

FT_STATUS FakeD2xx::FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned)
{
    CallScope scope(*this);
    std::lock_guard lock(mutex_);
    *bytesReturned = 0;
    if (const FT_STATUS s = failure(FakeCall::Read)) {
        return s;
    }
    if (!live(handle)) {
        return FT_IO_ERROR;
    }
    const std::size_t n = std::min<std::size_t>(bytesToRead, replies_.size());
    std::copy_n(replies_.begin(), n, static_cast<std::uint8_t*>(buffer));
    replies_.erase(replies_.begin(), replies_.begin() + static_cast<long>(n));
    *bytesReturned = static_cast<DWORD>(n);
    return FT_OK;
}

}  // namespace velantra
