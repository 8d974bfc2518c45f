// The seam to the FTDI D2XX driver: the seven calls the link makes, with
// D2XX's own types, flags and status codes. No vendor header is used.
//
// A provider implements the seven calls: the vendor's library loaded at run
// time, a libftdi1-based one, one for FTDI devices bound to the kernel's
// serial driver, or the in-process fake device of the tests.
#pragma once

#include <cstdint>

namespace velantra {

using FT_HANDLE = void*;
using FT_STATUS = std::uint32_t;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;

// Status codes.
inline constexpr FT_STATUS FT_OK = 0;
inline constexpr FT_STATUS FT_INVALID_HANDLE = 1;
inline constexpr FT_STATUS FT_DEVICE_NOT_FOUND = 2;
inline constexpr FT_STATUS FT_DEVICE_NOT_OPENED = 3;
inline constexpr FT_STATUS FT_IO_ERROR = 4;
inline constexpr FT_STATUS FT_INSUFFICIENT_RESOURCES = 5;
inline constexpr FT_STATUS FT_INVALID_PARAMETER = 6;
inline constexpr FT_STATUS FT_NOT_SUPPORTED = 17;

// FT_SetDataCharacteristics values.
inline constexpr std::uint8_t FT_BITS_8 = 8;
inline constexpr std::uint8_t FT_STOP_BITS_2 = 2;
inline constexpr std::uint8_t FT_PARITY_NONE = 0;

// FT_ListDevices flags.
inline constexpr DWORD FT_LIST_NUMBER_ONLY = 0x80000000;
inline constexpr DWORD FT_LIST_BY_INDEX = 0x40000000;
inline constexpr DWORD FT_OPEN_BY_SERIAL_NUMBER = 1;
inline constexpr DWORD FT_OPEN_BY_DESCRIPTION = 2;

// Longest text FT_ListDevices returns for a serial number or a description,
// terminating zero included. Callers pass a buffer of at least this size.
inline constexpr int FT_LIST_TEXT_MAX = 64;

class D2xxProvider {
public:
    virtual ~D2xxProvider() = default;

    // FT_LIST_NUMBER_ONLY: arg1 is a DWORD* that receives the device count.
    // FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER or FT_OPEN_BY_DESCRIPTION:
    // arg1 is the index (cast to a pointer), arg2 a char buffer of at least
    // FT_LIST_TEXT_MAX bytes that receives a zero-terminated text.
    virtual FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) = 0;
    virtual FT_STATUS FT_Open(int index, FT_HANDLE* handle) = 0;
    virtual FT_STATUS FT_Close(FT_HANDLE handle) = 0;
    virtual FT_STATUS FT_ResetDevice(FT_HANDLE handle) = 0;
    virtual FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) = 0;
    virtual FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) = 0;
    // The link's writer (its own thread). Bounded by the write timeout.
    virtual FT_STATUS FT_Write(FT_HANDLE handle, void* buffer, DWORD bytesToWrite, DWORD* bytesWritten) = 0;

    // The line settings, the break and reading, for interfaces that are not
    // the program's own: the widgets that answer, and those on which the
    // computer makes the DMX signal itself. A provider that cannot make a
    // call returns FT_NOT_SUPPORTED. The break calls run on the thread that
    // writes frames, under the same rule as FT_Write.
    virtual FT_STATUS FT_SetBaudRate(FT_HANDLE /*handle*/, ULONG /*baud*/) { return FT_NOT_SUPPORTED; }
    virtual FT_STATUS FT_SetDataCharacteristics(FT_HANDLE /*handle*/, std::uint8_t /*wordLength*/,
                                                std::uint8_t /*stopBits*/, std::uint8_t /*parity*/)
    {
        return FT_NOT_SUPPORTED;
    }
    virtual FT_STATUS FT_SetBreakOn(FT_HANDLE /*handle*/) { return FT_NOT_SUPPORTED; }
    virtual FT_STATUS FT_SetBreakOff(FT_HANDLE /*handle*/) { return FT_NOT_SUPPORTED; }
    // Reads at most bytesToRead of the bytes that have arrived; never waits
    // for more (the link asks FT_GetQueueStatus first).
    virtual FT_STATUS FT_Read(FT_HANDLE /*handle*/, void* /*buffer*/, DWORD /*bytesToRead*/, DWORD* bytesReturned)
    {
        if (bytesReturned != nullptr) {
            *bytesReturned = 0;
        }
        return FT_NOT_SUPPORTED;
    }

    // A short name for the operator and the log of the closing note ("ftd2xx", "libftdi1", ...).
    virtual const char* providerName() const = 0;
};

}  // namespace velantra
