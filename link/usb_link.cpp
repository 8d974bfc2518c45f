#include "link/usb_link.h"

#include "engine/worker_thread.h"
#include "link/wire_encoder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <span>
#include <thread>
#include <vector>

namespace velantra {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
    return text;
}
}  // namespace

std::optional<InterfaceKind> kindFromDescription(const std::string& description)
{
    const std::string text = upper(description);
    if (text.find("DMX USB PRO") != std::string::npos) {
        return InterfaceKind::Pro;
    }
    if (text.find("OPEN DMX") != std::string::npos || text.find("OPENDMX") != std::string::npos) {
        return InterfaceKind::OpenDmx;
    }
    return std::nullopt;
}

InterfaceKind kindToDrive(KindChoice choice, const std::string& description)
{
    switch (choice) {
    case KindChoice::Framed:
        return InterfaceKind::Framed;
    case KindChoice::Pro:
        return InterfaceKind::Pro;
    case KindChoice::OpenDmx:
        return InterfaceKind::OpenDmx;
    case KindChoice::Auto:
        break;
    }
    return kindFromDescription(description).value_or(InterfaceKind::Framed);
}

KindChoice choiceFor(const KindChoices& choices, const std::string& serial)
{
    for (const auto& [s, choice] : choices) {
        if (s == serial) {
            return choice;
        }
    }
    return KindChoice::Auto;
}

UsbLink::UsbLink(D2xxProvider& driver, Writes writes)
    : driver_(driver)
    , writes_(writes)
{}

UsbLink::~UsbLink()
{
    stopWriter();
}

UsbStatus UsbLink::status() const
{
    const std::uint16_t packed = status_.load(relaxed);
    return {static_cast<UsbLabel>(packed >> 8), static_cast<FT_STATUS>(packed & 0xFF)};
}

FT_STATUS UsbLink::checked(FT_STATUS status, UsbLabel label)
{
    const bool lineCall = label == UsbLabel::FT_SetBreak || label == UsbLabel::FT_SetBaudRate ||
                          label == UsbLabel::FT_SetDataCharacteristics;
    if (status == FT_NOT_SUPPORTED && lineCall) {
        cannotDrive(label);  // reported whatever the reporting flag: it will not mend itself
        return status;
    }
    if (status != FT_OK && UsbReportErrors.load(relaxed) == 1) {
        UsbReady.store(0, relaxed);
        // Codes outside 1..6 have no text: the message becomes empty.
        const bool known =
            (status >= FT_INVALID_HANDLE && status <= FT_INVALID_PARAMETER) || status == FT_NOT_SUPPORTED;
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

FT_STATUS UsbLink::GetDeviceQueueStatus(DWORD* queued)
{
    DWORD count = 0;
    const FT_STATUS s =
        checked(driver_.FT_GetQueueStatus(UsbHandle.load(relaxed), &count), UsbLabel::FT_GetQueueStatus);
    if (queued != nullptr) {
        *queued = s == FT_OK ? count : 0;
    }
    return s;
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
        if (i == UsbDeviceIndex) {
            firstListed_ = {listing_.serial, listing_.description};
        }
    }
    if (count == 0) {
        firstListed_ = {};
    }
    if (UsbOpen.load(relaxed) == 0) {
        device_ = firstListed_;
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

void UsbLink::readDeviceList()
{
    if (!takeDriver()) {
        return;
    }
    listDevices();
    releaseDriver();
}

void UsbLink::openInterface()
{
    UsbReady.store(0, relaxed);
    UsbReportErrors.store(1, relaxed);
    UsbOpen.store(0, relaxed);
    pollingEnabled_.store(true, relaxed);
    readDeviceList();
    wireBuffer_.fill(0);
    wireBuffer_[0] = 0xFF;
}

void UsbLink::poll()
{
    if (!pollingEnabled() || !takeDriver()) {
        return;  // disabled, or a frame is being written: try again next second
    }
    UsbReportErrors.store(0, relaxed);
    if (UsbRelist.load(relaxed) == 1) {
        listDevices();
    }
    DWORD queued = 0;
    if (UsbOpen.load(relaxed) == 0) {
        if (OpenDevice() == FT_OK) {
            UsbOpen.store(1, relaxed);
            UsbReady.store(1, relaxed);
            ResetDevice();
            SetDeviceTimeouts();
            readOpenedTexts();
            startKind();
        }
    } else if (GetDeviceQueueStatus(&queued) != FT_OK || (UsbReady.load(relaxed) != 1 && !kindUnsupported())) {
        // Lost, or open but stopped by a failed write: a device that still
        // answers would otherwise stay silent for the rest of the show. One
        // that cannot be driven as chosen stays open and silent: opening it
        // again would fail again.
        UsbReady.store(0, relaxed);
        UsbOpen.store(0, relaxed);
        UsbRelist.store(1, relaxed);
        unsupported_.store(false, relaxed);
        CloseDevice();  // the lost handle is released, not leaked
    } else {
        if (queued > 0) {
            quietPolls_ = 0;
            readReplies(queued);
        } else {
            ++quietPolls_;
            // Nothing more came: what is held was cut short.
            replies_.resync([this](std::uint8_t label, std::span<const std::uint8_t> data) { takeReply(label, data); });
        }
        askMissing();
    }
    releaseDriver();
}

void UsbLink::setKindChoices(KindChoices choices, KindChoice others)
{
    choices_ = std::move(choices);
    otherChoice_ = others;
    if (UsbOpen.load(relaxed) == 1 && kindChoice() != openedChoice_) {
        // The device opens again, as the kind now chosen, at the next poll.
        unsupported_.store(false, relaxed);
        UsbReady.store(0, relaxed);
    }
}

KindChoice UsbLink::kindChoice() const
{
    for (const auto& [serial, choice] : choices_) {
        if (serial == device_.serial) {
            return choice;
        }
    }
    return otherChoice_;
}

void UsbLink::readOpenedTexts()
{
    // The driver's device 0, now open. A query that fails keeps what the
    // listing said of device 0.
    UsbDeviceTexts opened = firstListed_;
    if (GetFTDeviceSerialNo(UsbDeviceIndex) == FT_OK) {
        opened.serial = deviceText_;
    }
    if (GetFTDeviceDescription(UsbDeviceIndex) == FT_OK) {
        opened.description = deviceText_;
    }
    device_ = std::move(opened);
}

void UsbLink::startKind()
{
    replies_.reset();
    proInfo_ = {};
    asksLeft_ = 0;
    quietPolls_ = 0;
    unsupported_.store(false, relaxed);
    openedChoice_ = kindChoice();
    const InterfaceKind k = kindToDrive(openedChoice_, device_.description);
    kind_.store(k, relaxed);
    if (k == InterfaceKind::Pro) {
        asksLeft_ = ProRequestAsks;
        askMissing();
    } else if (k == InterfaceKind::OpenDmx) {
        const FT_HANDLE h = UsbHandle.load(relaxed);
        checked(driver_.FT_SetDataCharacteristics(h, FT_BITS_8, FT_STOP_BITS_2, FT_PARITY_NONE),
                UsbLabel::FT_SetDataCharacteristics);
        checked(driver_.FT_SetBaudRate(h, OpenDmxBaud), UsbLabel::FT_SetBaudRate);
    }
    startWriter();
}

void UsbLink::cannotDrive(UsbLabel label)
{
    unsupported_.store(true, relaxed);
    UsbReady.store(0, relaxed);
    status_.store(static_cast<std::uint16_t>(static_cast<unsigned>(label) << 8 | FT_NOT_SUPPORTED), relaxed);
}

void UsbLink::askMissing()
{
    if (kind() != InterfaceKind::Pro || asksLeft_ <= 0 || offline() || UsbReady.load(relaxed) != 1) {
        return;
    }
    if (proInfo_.parameters && proInfo_.serial) {
        asksLeft_ = 0;
        return;
    }
    // The first time at once; again only once the widget has been quiet a
    // while, so that an answer on its way is not asked for twice.
    if (asksLeft_ < ProRequestAsks && quietPolls_ < QuietPollsBeforeAsking) {
        return;
    }
    quietPolls_ = 0;
    --asksLeft_;
    if (!proInfo_.parameters) {
        writeRequest(pro::parametersRequest());
    }
    if (!proInfo_.serial) {
        writeRequest(pro::serialRequest());
    }
}

void UsbLink::writeRequest(std::vector<std::uint8_t> bytes)
{
    DWORD written = 0;
    checked(driver_.FT_Write(UsbHandle.load(relaxed), bytes.data(), static_cast<DWORD>(bytes.size()), &written),
            UsbLabel::WriteDevice);
}

void UsbLink::takeReply(std::uint8_t label, std::span<const std::uint8_t> data)
{
    // A reply that does not read keeps what an earlier one told.
    if (label == pro::LabelGetParameters) {
        if (const auto parameters = pro::parseParameters(data)) {
            proInfo_.parameters = parameters;
        }
    } else if (label == pro::LabelGetSerial) {
        if (const auto serial = pro::parseSerial(data)) {
            proInfo_.serial = serial;
        }
    }
}

void UsbLink::readReplies(DWORD queued)
{
    std::array<std::uint8_t, 1024> bytes{};
    DWORD got = 0;
    if (checked(driver_.FT_Read(UsbHandle.load(relaxed), bytes.data(), std::min<DWORD>(queued, bytes.size()), &got),
                UsbLabel::FT_Read) != FT_OK) {
        return;
    }
    replies_.feed(std::span<const std::uint8_t>(bytes.data(), got),
                  [this](std::uint8_t label, std::span<const std::uint8_t> data) { takeReply(label, data); });
}

void UsbLink::startWriter()
{
    if (writes_ != Writes::OnWriterThread || writerRunning_.exchange(true)) {
        return;
    }
    writer_ = startWorkerThread([this] { writerLoop(); });
}

void UsbLink::stopWriter()
{
    if (!writerRunning_.exchange(false)) {
        return;
    }
    writerWake_.post();
    writer_.join();
}

void UsbLink::writerLoop()
{
    while (writerRunning_.load(relaxed)) {
        writerWake_.waitFor(std::chrono::milliseconds(100));
        writeNewest();
    }
}

void UsbLink::writeNewest()
{
    if (!handedOver_.take(writerFrame_) || UsbOpen.load(relaxed) == 0 || offline()) {
        return;
    }
    wireLength_ = 0;
    if (UsbReady.load(relaxed) != 1) {
        return;
    }
    const InterfaceKind k = kind_.load(relaxed);
    const FrameView frame(writerFrame_);
    if (k == InterfaceKind::Pro) {
        wireLength_ = static_cast<int>(pro::encodeFrame(frame, slotsUsed_.load(relaxed), wireBuffer_));
    } else if (k == InterfaceKind::Framed) {
        wireLength_ = encodeWireFrame(frame.data(), wireBuffer_.data(), wireBuffer_.size());
    }
    if (!takeDriver()) {
        return;  // the poll is talking to the driver: this frame is skipped
    }
    UsbReportErrors.store(1, relaxed);
    if (k == InterfaceKind::OpenDmx) {
        writeOpenDmx(UsbHandle.load(relaxed));
    } else {
        WriteDevice(wireLength_);
    }
    releaseDriver();
}

void UsbLink::writeOpenDmx(FT_HANDLE handle)
{
    // The break and the mark-after-break are at least as long as asked: a
    // sleep never ends early, the driver's calls only add to them. The frame
    // then takes the line about 23 ms.
    if (checked(driver_.FT_SetBreakOn(handle), UsbLabel::FT_SetBreak) != FT_OK) {
        return;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(OpenDmxBreakMicros));
    if (checked(driver_.FT_SetBreakOff(handle), UsbLabel::FT_SetBreak) != FT_OK) {
        return;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(OpenDmxMarkMicros));
    DWORD written = 0;
    if (checked(driver_.FT_Write(handle, writerFrame_.data(), static_cast<DWORD>(writerFrame_.size()), &written),
                UsbLabel::WriteDevice) == FT_OK) {
        openDmxFrames_.fetch_add(1, relaxed);
    }
}

void UsbLink::closeInterface()
{
    UsbReady.store(0, relaxed);
    pollingEnabled_.store(false, relaxed);
    // The output thread has stopped; once the writer has too, the driver is
    // free (a frame still being written holds it at most the write timeout).
    stopWriter();
    while (!takeDriver()) {
    }
    if (UsbOpen.load(relaxed) == 1) {
        CloseDevice();
        UsbOpen.store(0, relaxed);
    }
    releaseDriver();
}

void UsbLink::writeFrame(FrameView frame)
{
    handedOver_.publish(frame);
    if (writes_ == Writes::OnCaller) {
        writeNewest();
    } else {
        writerWake_.post();
    }
}

}  // namespace velantra
