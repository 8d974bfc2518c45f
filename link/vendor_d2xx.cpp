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

}  // namespace velantra
