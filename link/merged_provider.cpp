#include "link/merged_provider.h"

#include <algorithm>
#include <cstdint>

namespace velantra {

MergedProvider::MergedProvider(std::vector<std::unique_ptr<D2xxProvider>> parts)
    : parts_(std::move(parts))
    , counts_(parts_.size(), 0)
{
    for (const auto& part : parts_) {
        name_ += name_.empty() ? "" : "+";
        name_ += part->providerName();
    }
}

MergedProvider::~MergedProvider()
{
    for (const auto& opened : opened_) {
        opened->part->FT_Close(opened->inner);
    }
}

FT_STATUS MergedProvider::countAll(DWORD* total)
{
    FT_STATUS firstFailure = FT_OK;
    bool anyAnswered = false;
    *total = 0;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        DWORD n = 0;
        const FT_STATUS s = parts_[i]->FT_ListDevices(&n, nullptr, FT_LIST_NUMBER_ONLY);
        if (s == FT_OK) {
            anyAnswered = true;
        } else {
            n = 0;  // a part that cannot list contributes no device
            if (firstFailure == FT_OK) {
                firstFailure = s;
            }
        }
        counts_[i] = n;
        *total += n;
    }
    counted_ = true;
    return anyAnswered || parts_.empty() ? FT_OK : firstFailure;
}

D2xxProvider* MergedProvider::locate(DWORD index, DWORD& local) const
{
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        if (index < counts_[i]) {
            local = index;
            return parts_[i].get();
        }
        index -= counts_[i];
    }
    return nullptr;
}

MergedProvider::Opened* MergedProvider::find(FT_HANDLE handle) const
{
    for (const auto& opened : opened_) {
        if (opened.get() == handle) {
            return opened.get();
        }
    }
    return nullptr;
}

FT_STATUS MergedProvider::FT_ListDevices(void* arg1, void* arg2, DWORD flags)
{
    if (flags == FT_LIST_NUMBER_ONLY) {
        DWORD total = 0;
        const FT_STATUS s = countAll(&total);
        if (s == FT_OK) {
            *static_cast<DWORD*>(arg1) = total;
        }
        return s;
    }
    if (!counted_) {
        DWORD total = 0;
        countAll(&total);
    }
    DWORD local = 0;
    D2xxProvider* part = locate(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(arg1)), local);
    if (part == nullptr) {
        return FT_DEVICE_NOT_FOUND;
    }
    return part->FT_ListDevices(reinterpret_cast<void*>(static_cast<std::uintptr_t>(local)), arg2, flags);
}

FT_STATUS MergedProvider::FT_Open(int index, FT_HANDLE* handle)
{
    DWORD total = 0;
    countAll(&total);
    DWORD local = 0;
    D2xxProvider* part = index < 0 ? nullptr : locate(static_cast<DWORD>(index), local);
    if (part == nullptr) {
        return FT_DEVICE_NOT_FOUND;
    }
    FT_HANDLE inner = nullptr;
    const FT_STATUS s = part->FT_Open(static_cast<int>(local), &inner);
    if (s != FT_OK) {
        return s;
    }
    opened_.push_back(std::make_unique<Opened>(Opened{part, inner}));
    *handle = opened_.back().get();
    return FT_OK;
}

FT_STATUS MergedProvider::FT_Close(FT_HANDLE handle)
{
    Opened* opened = find(handle);
    if (opened == nullptr) {
        return FT_INVALID_HANDLE;
    }
    const FT_STATUS s = opened->part->FT_Close(opened->inner);
    std::erase_if(opened_, [opened](const auto& o) { return o.get() == opened; });
    return s;
}

FT_STATUS MergedProvider::FT_ResetDevice(FT_HANDLE handle)
{
    Opened* opened = find(handle);
    return opened ? opened->part->FT_ResetDevice(opened->inner) : FT_INVALID_HANDLE;
}

FT_STATUS MergedProvider::FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout)
{
    Opened* opened = find(handle);
    return opened ? opened->part->FT_SetTimeouts(opened->inner, readTimeout, writeTimeout) : FT_INVALID_HANDLE;
}

FT_STATUS MergedProvider::FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes)
{
    Opened* opened = find(handle);
    return opened ? opened->part->FT_GetQueueStatus(opened->inner, rxBytes) : FT_INVALID_HANDLE;
}

FT_STATUS MergedProvider::FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten)
{
    // The link hands the driver to this thread with acquire/release, so the
    // open records written by the GUI thread are visible here.
    Opened* opened = find(handle);
    if (opened == nullptr) {
        *bytesWritten = 0;
        return FT_INVALID_HANDLE;
    }
    return opened->part->FT_Write(opened->inner, buffer, bytesToWrite, bytesWritten);
}

FT_STATUS MergedProvider::FT_SetBaudRate(FT_HANDLE handle, ULONG baud)
{
    Opened* opened = find(handle);
    return opened ? opened->part->FT_SetBaudRate(opened->inner, baud) : FT_INVALID_HANDLE;
}

FT_STATUS MergedProvider::FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                                    std::uint8_t parity)
{
    Opened* opened = find(handle);
    return opened ? opened->part->FT_SetDataCharacteristics(opened->inner, wordLength, stopBits, parity)
                  : FT_INVALID_HANDLE;
}

FT_STATUS MergedProvider::FT_SetBreakOn(FT_HANDLE handle)
{
    Opened* opened = find(handle);
    return opened ? opened->part->FT_SetBreakOn(opened->inner) : FT_INVALID_HANDLE;
}

FT_STATUS MergedProvider::FT_SetBreakOff(FT_HANDLE handle)
{
    Opened* opened = find(handle);
    return opened ? opened->part->FT_SetBreakOff(opened->inner) : FT_INVALID_HANDLE;
}

FT_STATUS MergedProvider::FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned)
{
    Opened* opened = find(handle);
    if (opened == nullptr) {
        *bytesReturned = 0;
        return FT_INVALID_HANDLE;
    }
    return opened->part->FT_Read(opened->inner, buffer, bytesToRead, bytesReturned);
}

const char* MergedProvider::providerOf(FT_HANDLE handle) const
{
    const Opened* opened = find(handle);
    return opened ? opened->part->providerName() : nullptr;
}

}  // namespace velantra
