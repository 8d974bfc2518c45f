// A stand-in for the vendor's D2XX library: one device, serial "FAKE0001",
// that remembers the arguments of each call. Built once complete and once per
// call with that call left out (FAKE_FTD2XX_WITHOUT_<call>).
#include "tests/fake_ftd2xx/fake_ftd2xx.h"

#include "link/d2xx.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace velantra;

namespace {

FakeFtd2xxState state;
int device;  // its address is the handle

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
    state = FakeFtd2xxState{};
    state.handle = &device;
    state.writeLimit = sizeof state.written;
    state.openIndex = -1;
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
    *bytesWritten = taken;
    return FT_OK;
}
#endif

}  // extern "C"
