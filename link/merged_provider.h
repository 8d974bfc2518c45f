// Several providers seen as one driver: their devices are listed one after
// another, in the order of the providers, so that device 0 is the first
// device of the first provider that has one.
#pragma once

#include "link/d2xx.h"

#include <memory>
#include <string>
#include <vector>

namespace velantra {

class MergedProvider : public D2xxProvider {
public:
    explicit MergedProvider(std::vector<std::unique_ptr<D2xxProvider>> parts);
    ~MergedProvider() override;

    // GUI thread. A count refreshes every part's list; a by-index query uses
    // the counts of the last one.
    FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) override;
    // GUI thread. Counts again first, so a device plugged in since the last
    // listing is found.
    FT_STATUS FT_Open(int index, FT_HANDLE* handle) override;
    FT_STATUS FT_Close(FT_HANDLE handle) override;
    FT_STATUS FT_ResetDevice(FT_HANDLE handle) override;
    FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) override;
    FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) override;
    // The link's writer.
    FT_STATUS FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten) override;
    FT_STATUS FT_SetBaudRate(FT_HANDLE handle, ULONG baud) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                        std::uint8_t parity) override;
    FT_STATUS FT_SetBreakOn(FT_HANDLE handle) override;
    FT_STATUS FT_SetBreakOff(FT_HANDLE handle) override;
    FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned) override;
    const char* providerName() const override { return name_.c_str(); }

    // GUI thread. Name of the provider that serves the open handle, or nullptr.
    const char* providerOf(FT_HANDLE handle) const;

private:
    struct Opened {
        D2xxProvider* part;
        FT_HANDLE inner;
    };
    // GUI thread. Refreshes counts_; FT_OK when at least one part answered.
    FT_STATUS countAll(DWORD* total);
    // The part and its own index for a merged index, or nullptr.
    D2xxProvider* locate(DWORD index, DWORD& local) const;
    // The open record behind a handle this provider gave out, or nullptr.
    Opened* find(FT_HANDLE handle) const;

    std::vector<std::unique_ptr<D2xxProvider>> parts_;
    std::vector<DWORD> counts_;
    std::vector<std::unique_ptr<Opened>> opened_;
    bool counted_ = false;
    std::string name_;
};

}  // namespace velantra
