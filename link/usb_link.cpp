#include "link/usb_link.h"

#include "link/wire_encoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace velantra {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;
}  // namespace

UsbLink::UsbLink(D2xxProvider& driver)
    : driver_(driver)
{}

UsbStatus UsbLink::status() const
{
    const std::uint16_t packed = status_.load(relaxed);
    return {static_cast<UsbLabel>(packed >> 8), static_cast<FT_STATUS>(packed & 0xFF)};
}

FT_STATUS UsbLink::checked(FT_STATUS status, UsbLabel label)
{
    if (status != FT_OK && UsbReportErrors.load(relaxed) == 1) {
        UsbReady.store(0, relaxed);
        // Codes outside 1..6 have no text: the message becomes empty.
        const bool known = status >= FT_INVALID_HANDLE && status <= FT_INVALID_PARAMETER;
        status_.store(known ? static_cast<std::uint16_t>(static_cast<unsigned>(label) << 8 | status) : 0, relaxed);
    }
    return status;
}

FT_STATUS UsbLink::GetFTDeviceCount()
{
    DWORD count = UsbDeviceCount;
    const FT_STATUS s = driver_.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY);
    if (s == FT_OK) {
        UsbDeviceCount = count;
    }
    return checked(s, UsbLabel::GetFTDeviceCount);
}

FT_STATUS UsbLink::listText(int index, DWORD what, UsbLabel label)
{
    // Room for the longest text plus slack for a driver that overruns its own limit.
    std::array<char, std::size_t{4} * FT_LIST_TEXT_MAX> buffer{};
    const FT_STATUS s = driver_.FT_ListDevices(reinterpret_cast<void*>(static_cast<std::uintptr_t>(index)),
                                               buffer.data(), FT_LIST_BY_INDEX | what);
    if (s == FT_OK) {
        buffer.back() = 0;
        deviceText_.assign(buffer.data(), std::min<std::size_t>(std::strlen(buffer.data()), DeviceTextMax));
    }
    return checked(s, label);
}

FT_STATUS UsbLink::GetFTDeviceSerialNo(int index)
{
    return listText(index, FT_OPEN_BY_SERIAL_NUMBER, UsbLabel::GetFTDeviceSerialNo);
}

FT_STATUS UsbLink::GetFTDeviceDescription(int index)
{
    return listText(index, FT_OPEN_BY_DESCRIPTION, UsbLabel::GetFTDeviceDescription);
}

FT_STATUS UsbLink::OpenDevice()
{
    FT_HANDLE handle = nullptr;
    const FT_STATUS s = driver_.FT_Open(UsbDeviceIndex, &handle);
    if (s == FT_OK) {
        UsbHandle.store(handle, relaxed);
    }
    return checked(s, UsbLabel::FT_Open);
}

FT_STATUS UsbLink::CloseDevice()
{
    const FT_STATUS s = driver_.FT_Close(UsbHandle.load(relaxed));
    UsbHandle.store(nullptr, relaxed);
    return checked(s, UsbLabel::FT_Close);
}

FT_STATUS UsbLink::ResetDevice()
{
    return checked(driver_.FT_ResetDevice(UsbHandle.load(relaxed)), UsbLabel::FT_ResetDevice);
}

FT_STATUS UsbLink::SetDeviceTimeouts()
{
    return checked(driver_.FT_SetTimeouts(UsbHandle.load(relaxed), TimeoutMs, TimeoutMs), UsbLabel::FT_SetTimeouts);
}

FT_STATUS UsbLink::GetDeviceQueueStatus()
{
    DWORD queued = 0;
    return checked(driver_.FT_GetQueueStatus(UsbHandle.load(relaxed), &queued), UsbLabel::FT_GetQueueStatus);
}

FT_STATUS UsbLink::WriteDevice(int length)
{
    DWORD written = 0;
    const FT_STATUS s =
        driver_.FT_Write(UsbHandle.load(relaxed), wireBuffer_.data(), static_cast<DWORD>(length), &written);
    return checked(s, UsbLabel::WriteDevice);
}

void UsbLink::listDevices()
{
    GetFTDeviceCount();
    const DWORD count = std::min(UsbDeviceCount, ListLimit);
    for (DWORD i = 0; i < count; ++i) {
        GetFTDeviceSerialNo(static_cast<int>(i));
        listing_.serial = deviceText_;
        listing_.hasSerial = true;
        GetFTDeviceDescription(static_cast<int>(i));
        listing_.description = deviceText_;
        UsbRelist.store(0, relaxed);
    }
    if (count > 0) {
        listing_.count = UsbListing::Count::Devices;
        listing_.devices = UsbDeviceCount;
    } else {
        listing_.count = UsbListing::Count::NoDevice;
        listing_.hasSerial = false;
        listing_.serial.clear();
        listing_.description.clear();
        UsbReady.store(0, relaxed);
    }
}

void UsbLink::GetListAllDevise()
{
    if (!takeDriver()) {
        return;
    }
    listDevices();
    releaseDriver();
}

void UsbLink::InitUsbDevise()
{
    UsbReady.store(0, relaxed);
    UsbReportErrors.store(1, relaxed);
    UsbOpen.store(0, relaxed);
    pollingEnabled_.store(true, relaxed);
    GetListAllDevise();
    wireBuffer_.fill(0);
    wireBuffer_[0] = 0xFF;
}

void UsbLink::TimerPollingTimer()
{
    if (!pollingEnabled() || !takeDriver()) {
        return;  // disabled, or a frame is being written: try again next second
    }
    UsbReportErrors.store(0, relaxed);
    if (UsbRelist.load(relaxed) == 1) {
        listDevices();
    }
    if (UsbOpen.load(relaxed) == 0) {
        if (OpenDevice() == FT_OK) {
            UsbOpen.store(1, relaxed);
            UsbReady.store(1, relaxed);
            ResetDevice();
            SetDeviceTimeouts();
        }
    } else if (GetDeviceQueueStatus() != FT_OK || UsbReady.load(relaxed) != 1) {
        // Lost, or open but stopped by a failed write: a device that still
        // answers would otherwise stay silent for the rest of the show.
        UsbReady.store(0, relaxed);
        UsbOpen.store(0, relaxed);
        UsbRelist.store(1, relaxed);
        CloseDevice();  // the lost handle is released, not leaked
    }
    releaseDriver();
}

void UsbLink::CloseUsbDevise()
{
    UsbReady.store(0, relaxed);
    pollingEnabled_.store(false, relaxed);
    // The output thread has stopped, so the driver is free; a frame still
    // being written would hold it for at most the write timeout.
    while (!takeDriver()) {
    }
    if (UsbOpen.load(relaxed) == 1) {
        CloseDevice();
        UsbOpen.store(0, relaxed);
    }
    releaseDriver();
}

void UsbLink::SendToUsb(FrameView frame)
{
    if (UsbOpen.load(relaxed) == 0) {
        return;
    }
    wireLength_ = 0;
    if (UsbReady.load(relaxed) != 1) {
        return;
    }
    wireLength_ = encodeWireFrame(frame.data(), wireBuffer_.data(), wireBuffer_.size());
    if (!takeDriver()) {
        return;  // the poll is talking to the driver: this frame is skipped
    }
    UsbReportErrors.store(1, relaxed);
    WriteDevice(wireLength_);
    releaseDriver();
}

}  // namespace velantra
