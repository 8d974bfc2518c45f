// A stand-in for the vendor's D2XX library: one device, serial "FAKE0001",
// that remembers the arguments of each call. Built once complete and once per
// call with that call left out (FAKE_FTD2XX_WITHOUT_<call>).
// With FAKE_FTD2XX_FRAMES=FILE in the environment, every frame written is
// also written over the start of FILE, so that a process outside can see
// when the first frame went out and whether the frames change.
#include "tests/fake_ftd2xx/fake_ftd2xx.h"

#include "link/d2xx.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace velantra;

namespace {

int device;  // its address is the handle

// One closed device with nothing recorded, taking whole writes: the state at
// load, so a program that loads the library without a test sees a device.
FakeFtd2xxState initialState()
{
    FakeFtd2xxState fresh{};
    fresh.handle = &device;
    fresh.writeLimit = sizeof fresh.written;
    fresh.openIndex = -1;
    return fresh;
}

FakeFtd2xxState state = initialState();

// Records the call; true when the test asked this call to fail.
bool enter(const char* name, FT_HANDLE handle, FT_STATUS* status)
{
    std::strncpy(state.lastCall, name, sizeof state.lastCall - 1);
    state.lastHandle = handle;
    if (state.failNextWith != FT_OK) {
        *status = state.failNextWith;
        state.failNextWith = FT_OK;
        return true;
    }
    return false;
}

// The file named by FAKE_FTD2XX_FRAMES, opened at the first write; -1 without one.
[[maybe_unused]] int framesFile()
{
    static const int fd = [] {
        const char* path = std::getenv("FAKE_FTD2XX_FRAMES");
        return path == nullptr ? -1 : ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    }();
    return fd;
}

bool known(FT_HANDLE handle)
{
    return state.open && handle == state.handle;
}

[[maybe_unused]] void copyText(const char* text, void* buffer)
{
    std::strncpy(static_cast<char*>(buffer), text, FT_LIST_TEXT_MAX - 1);
    static_cast<char*>(buffer)[FT_LIST_TEXT_MAX - 1] = '\0';
}

}  // namespace

extern "C" {

FakeFtd2xxState* fakeFtd2xxReset()
{
    state = initialState();
    return &state;
}

#ifndef FAKE_FTD2XX_WITHOUT_FT_ListDevices
FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags)
{
    FT_STATUS status = FT_OK;
    if (enter("FT_ListDevices", nullptr, &status)) {
        return status;
    }
    state.listArg1 = arg1;
    state.listArg2 = arg2;
    state.listFlags = flags;
    if (flags == FT_LIST_NUMBER_ONLY) {
        *static_cast<DWORD*>(arg1) = 1;
        return FT_OK;
    }
    if ((flags & FT_LIST_BY_INDEX) == 0) {
        return FT_INVALID_PARAMETER;
    }
    if (reinterpret_cast<std::uintptr_t>(arg1) != 0) {
        return FT_DEVICE_NOT_FOUND;
    }
    switch (flags & ~FT_LIST_BY_INDEX) {
    case FT_OPEN_BY_SERIAL_NUMBER:
        copyText("FAKE0001", arg2);
        return FT_OK;
    case FT_OPEN_BY_DESCRIPTION:
        copyText("Fake DMX Interface", arg2);
        return FT_OK;
    default:
        return FT_INVALID_PARAMETER;
    }
}
#endif

#ifndef FAKE_FTD2XX_WITHOUT_FT_Open
FT_STATUS FT_Open(int index, FT_HANDLE* handle)
{
    FT_STATUS status = FT_OK;
    if (enter("FT_Open", nullptr, &status)) {
        return status;
    }
    state.openIndex = index;
    if (index != 0) {
        return FT_DEVICE_NOT_FOUND;
    }
    if (state.open) {
        return FT_DEVICE_NOT_OPENED;
    }
    state.open = true;
    *handle = state.handle;
    return FT_OK;
}
#endif

#ifndef FAKE_FTD2XX_WITHOUT_FT_Close
FT_STATUS FT_Close(FT_HANDLE handle)
{
    FT_STATUS status = FT_OK;
    if (enter("FT_Close", handle, &status)) {
        return status;
    }
    if (!known(handle)) {
        return FT_INVALID_HANDLE;
    }
    state.open = false;
    return FT_OK;
}
#endif

#ifndef FAKE_FTD2XX_WITHOUT_FT_ResetDevice
FT_STATUS FT_ResetDevice(FT_HANDLE handle)
{
    FT_STATUS status = FT_OK;
    if (enter("FT_ResetDevice", handle, &status)) {
        return status;
    }
    if (!known(handle)) {
        return FT_INVALID_HANDLE;
    }
    ++state.resets;
    return FT_OK;
}
#endif

#ifndef FAKE_FTD2XX_WITHOUT_FT_SetTimeouts
FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout)
{
    FT_STATUS status = FT_OK;
    if (enter("FT_SetTimeouts", handle, &status)) {
        return status;
    }
    if (!known(handle)) {
        return FT_INVALID_HANDLE;
    }
    state.readTimeout = readTimeout;
    state.writeTimeout = writeTimeout;
    return FT_OK;
}
#endif

#ifndef FAKE_FTD2XX_WITHOUT_FT_GetQueueStatus
FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes)
{
    FT_STATUS status = FT_OK;
    if (enter("FT_GetQueueStatus", handle, &status)) {
        return status;
    }
    if (!known(handle)) {
        return FT_INVALID_HANDLE;
    }
    *rxBytes = state.queuedBytes;
    return FT_OK;
}
#endif

#ifndef FAKE_FTD2XX_WITHOUT_FT_Write
FT_STATUS FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten)
{
    FT_STATUS status = FT_OK;
    if (enter("FT_Write", handle, &status)) {
        return status;
    }
    if (!known(handle)) {
        return FT_INVALID_HANDLE;
    }
    const DWORD taken = std::min<DWORD>({bytesToWrite, state.writeLimit, DWORD{sizeof state.written}});
    std::memcpy(state.written, buffer, taken);
    state.writtenCount = taken;
    if (const int fd = framesFile(); fd >= 0) {
        (void)::pwrite(fd, buffer, taken, 0);
    }
    *bytesWritten = taken;
    return FT_OK;
}
#endif

}  // extern "C"
