// The vendor's D2XX library, loaded at run time: libftd2xx.so on Linux,
// ftd2xx.dll on Windows. Nothing links against it, so the program starts and
// runs without it; load() gives nullptr when it is missing or incomplete.
#pragma once

#include "link/d2xx.h"

#include <memory>

namespace velantra {

class VendorD2xx final : public D2xxProvider {
public:
    // GUI thread; blocks while the dynamic loader reads the file. With no path
    // the library is looked up by name in the platform's normal places.
    // nullptr unless the library loads and exports all seven calls.
    static std::unique_ptr<VendorD2xx> load(const char* path = nullptr);

    // GUI thread. Unloads the library; every handle must be closed by then.
    ~VendorD2xx() override;
    VendorD2xx(const VendorD2xx&) = delete;
    VendorD2xx& operator=(const VendorD2xx&) = delete;

    // Each call goes straight to the library's function of the same name and
    // returns its status unchanged. GUI thread, except FT_Write (output
    // thread); all may block for as long as the driver does (the timeouts).
    FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) override;
    FT_STATUS FT_Open(int index, FT_HANDLE* handle) override;
    FT_STATUS FT_Close(FT_HANDLE handle) override;
    FT_STATUS FT_ResetDevice(FT_HANDLE handle) override;
    FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) override;
    FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) override;
    FT_STATUS FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten) override;
    // FT_NOT_SUPPORTED when the library lacks the function.
    FT_STATUS FT_SetBaudRate(FT_HANDLE handle, ULONG baud) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                        std::uint8_t parity) override;
    FT_STATUS FT_SetBreakOn(FT_HANDLE handle) override;
    FT_STATUS FT_SetBreakOff(FT_HANDLE handle) override;
    // The link reads only what FT_GetQueueStatus reported, so the driver's
    // read never waits for its timeout.
    FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned) override;

    // Any thread. Never blocks.
    const char* providerName() const override { return "ftd2xx"; }

private:
    struct Calls;  // the library's seven functions
    VendorD2xx(void* library, std::unique_ptr<const Calls> calls);

    void* library_;
    std::unique_ptr<const Calls> calls_;
};

}  // namespace velantra
