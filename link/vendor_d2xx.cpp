#include "link/vendor_d2xx.h"

#include <array>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

// The library's calling convention: __stdcall on Windows, the C default elsewhere.
#ifdef _WIN32
#define VELANTRA_D2XX_CALL WINAPI
#else
#define VELANTRA_D2XX_CALL
#endif

namespace velantra {

namespace {

// The vendor's C prototypes. FT_HANDLE is void*; FT_STATUS, DWORD and ULONG
// are 32-bit unsigned on every platform the vendor ships for.
extern "C" {
using ListDevicesFn = FT_STATUS(VELANTRA_D2XX_CALL*)(void* arg1, void* arg2, DWORD flags);
using OpenFn = FT_STATUS(VELANTRA_D2XX_CALL*)(int index, FT_HANDLE* handle);
using CloseFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle);
using ResetDeviceFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle);
using SetTimeoutsFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout);
using GetQueueStatusFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle, DWORD* rxBytes);
using WriteFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten);
using SetBaudRateFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle, ULONG baud);
using SetDataCharacteristicsFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle, std::uint8_t wordLength,
                                                                std::uint8_t stopBits, std::uint8_t parity);
using BreakFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle);
using ReadFn = FT_STATUS(VELANTRA_D2XX_CALL*)(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned);
}

#ifdef _WIN32
void* openLibrary(const char* name)
{
    return reinterpret_cast<void*>(LoadLibraryA(name));
}

void* findSymbol(void* library, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library)
{
    FreeLibrary(static_cast<HMODULE>(library));
}

// Looked up by the loader's usual search order.
constexpr std::array<const char*, 1> DefaultNames{"ftd2xx.dll"};
#else
void* openLibrary(const char* name)
{
    return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

void* findSymbol(void* library, const char* name)
{
    return dlsym(library, name);
}

void closeLibrary(void* library)
{
    dlclose(library);
}

// The vendor's installer makes libftd2xx.so; some installs carry only the
// versioned name.
constexpr std::array<const char*, 2> DefaultNames{"libftd2xx.so", "libftd2xx.so.1"};
#endif

template <typename Fn> bool resolve(void* library, const char* name, Fn& fn)
{
    void* symbol = findSymbol(library, name);
    fn = reinterpret_cast<Fn>(symbol);
    return symbol != nullptr;
}

}  // namespace

struct VendorD2xx::Calls {
    ListDevicesFn listDevices = nullptr;
    OpenFn open = nullptr;
    CloseFn close = nullptr;
    ResetDeviceFn resetDevice = nullptr;
    SetTimeoutsFn setTimeouts = nullptr;
    GetQueueStatusFn getQueueStatus = nullptr;
    WriteFn write = nullptr;
    // Optional: a library without them serves the program's own interfaces only.
    SetBaudRateFn setBaudRate = nullptr;
    SetDataCharacteristicsFn setDataCharacteristics = nullptr;
    BreakFn setBreakOn = nullptr;
    BreakFn setBreakOff = nullptr;
    ReadFn read = nullptr;
};

std::unique_ptr<VendorD2xx> VendorD2xx::load(const char* path)
{
    void* library = nullptr;
    if (path != nullptr) {
        library = openLibrary(path);
    } else {
        for (const char* name : DefaultNames) {
            library = openLibrary(name);
            if (library != nullptr) {
                break;
            }
        }
    }
    if (library == nullptr) {
        return nullptr;
    }

    auto calls = std::make_unique<Calls>();
    // Every one is needed: an incomplete library is refused, not half used.
    const bool complete =
        resolve(library, "FT_ListDevices", calls->listDevices) && resolve(library, "FT_Open", calls->open) &&
        resolve(library, "FT_Close", calls->close) && resolve(library, "FT_ResetDevice", calls->resetDevice) &&
        resolve(library, "FT_SetTimeouts", calls->setTimeouts) &&
        resolve(library, "FT_GetQueueStatus", calls->getQueueStatus) && resolve(library, "FT_Write", calls->write);
    if (!complete) {
        closeLibrary(library);
        return nullptr;
    }
    resolve(library, "FT_SetBaudRate", calls->setBaudRate);
    resolve(library, "FT_SetDataCharacteristics", calls->setDataCharacteristics);
    resolve(library, "FT_SetBreakOn", calls->setBreakOn);
    resolve(library, "FT_SetBreakOff", calls->setBreakOff);
    resolve(library, "FT_Read", calls->read);
    return std::unique_ptr<VendorD2xx>(new VendorD2xx(library, std::move(calls)));
}

VendorD2xx::VendorD2xx(void* library, std::unique_ptr<const Calls> calls)
    : library_(library)
    , calls_(std::move(calls))
{}

VendorD2xx::~VendorD2xx()
{
    closeLibrary(library_);
}

FT_STATUS VendorD2xx::FT_ListDevices(void* arg1, void* arg2, DWORD flags)
{
    return calls_->listDevices(arg1, arg2, flags);
}

FT_STATUS VendorD2xx::FT_Open(int index, FT_HANDLE* handle)
{
    return calls_->open(index, handle);
}

FT_STATUS VendorD2xx::FT_Close(FT_HANDLE handle)
{
    return calls_->close(handle);
}

FT_STATUS VendorD2xx::FT_ResetDevice(FT_HANDLE handle)
{
    return calls_->resetDevice(handle);
}

FT_STATUS VendorD2xx::FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout)
{
    return calls_->setTimeouts(handle, readTimeout, writeTimeout);
}

FT_STATUS VendorD2xx::FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes)
{
    return calls_->getQueueStatus(handle, rxBytes);
}

FT_STATUS VendorD2xx::FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten)
{
    return calls_->write(handle, buffer, bytesToWrite, bytesWritten);
}

FT_STATUS VendorD2xx::FT_SetBaudRate(FT_HANDLE handle, ULONG baud)
{
    return calls_->setBaudRate ? calls_->setBaudRate(handle, baud) : FT_NOT_SUPPORTED;
}

FT_STATUS VendorD2xx::FT_SetDataCharacteristics(FT_HANDLE handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                                std::uint8_t parity)
{
    return calls_->setDataCharacteristics ? calls_->setDataCharacteristics(handle, wordLength, stopBits, parity)
                                          : FT_NOT_SUPPORTED;
}

FT_STATUS VendorD2xx::FT_SetBreakOn(FT_HANDLE handle)
{
    return calls_->setBreakOn ? calls_->setBreakOn(handle) : FT_NOT_SUPPORTED;
}

FT_STATUS VendorD2xx::FT_SetBreakOff(FT_HANDLE handle)
{
    return calls_->setBreakOff ? calls_->setBreakOff(handle) : FT_NOT_SUPPORTED;
}

FT_STATUS VendorD2xx::FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesReturned)
{
    if (!calls_->read) {
        *bytesReturned = 0;
        return FT_NOT_SUPPORTED;
    }
    return calls_->read(handle, buffer, bytesToRead, bytesReturned);
}

}  // namespace velantra
