#include "network/artnet_packet.h"

#include <algorithm>
#include <charconv>

namespace velantra::artnet {
namespace {

using packet::putU16Be;
using packet::putU16Le;
using packet::putU32Be;
using packet::u16Be;
using packet::u16Le;
using packet::u32Be;

constexpr std::array<std::uint8_t, 8> Id{'A', 'r', 't', '-', 'N', 'e', 't', 0};
constexpr std::size_t OpCodeAt = 8;
constexpr std::size_t ProtVerAt = 10;

// ArtDmx.
constexpr std::size_t DmxSequenceAt = 12;
constexpr std::size_t DmxPhysicalAt = 13;
constexpr std::size_t DmxSubUniAt = 14;
constexpr std::size_t DmxNetAt = 15;
constexpr std::size_t DmxLengthAt = 16;

// ArtPoll.
constexpr std::size_t PollFlagsAt = 12;
constexpr std::size_t PollDiagPriorityAt = 13;
constexpr std::size_t PollTargetTopAt = 14;
constexpr std::size_t PollTargetBottomAt = 16;
constexpr std::size_t PollEstaManAt = 18;
constexpr std::size_t PollOemAt = 20;

// ArtPollReply.
constexpr std::size_t ReplyIpAt = 10;
constexpr std::size_t ReplyPortAt = 14;
constexpr std::size_t ReplyNetSwitchAt = 18;
constexpr std::size_t ReplySubSwitchAt = 19;
constexpr std::size_t ReplyOemAt = 20;
constexpr std::size_t ReplyEstaManAt = 24;  // low byte first
constexpr std::size_t ReplyShortNameAt = 26;
constexpr std::size_t ReplyLongNameAt = 44;
constexpr std::size_t ReplyNodeReportAt = 108;
constexpr std::size_t ReplyNumPortsAt = 172;
constexpr std::size_t ReplyPortTypesAt = 174;
constexpr std::size_t ReplyGoodInputAt = 178;
constexpr std::size_t ReplySwInAt = 186;
constexpr std::size_t ReplySwOutAt = 190;
constexpr std::size_t ReplyStyleAt = 200;
constexpr std::size_t ReplyMacAt = 201;
constexpr std::size_t ReplyBindIpAt = 207;
constexpr std::size_t ReplyBindIndexAt = 211;
constexpr std::size_t ReplyStatus2At = 212;

// Status2 bit: the controller uses 15-bit Port-Addresses.
constexpr std::uint8_t Status2PortAddress15 = 0x08;
constexpr std::uint8_t RootBindIndex = 1;

void putHeader(std::span<std::uint8_t> out, std::uint16_t opCode)
{
    std::copy(Id.begin(), Id.end(), out.begin());
    putU16Le(out, OpCodeAt, opCode);
}

bool hasHeader(std::span<const std::uint8_t> bytes, std::uint16_t opCode)
{
    return bytes.size() >= ProtVerAt && std::equal(Id.begin(), Id.end(), bytes.begin()) &&
           u16Le(bytes, OpCodeAt) == opCode;
}

// A decimal number of at most five digits and nothing else.
std::optional<unsigned> decimal(std::string_view text)
{
    unsigned value = 0;
    if (text.empty() || text.size() > 5) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string portAddressText(std::uint16_t portAddress)
{
    return std::to_string(portAddress >> 8 & 0x7F) + ':' + std::to_string(portAddress >> 4 & 0x0F) + ':' +
           std::to_string(portAddress & 0x0F);
}

std::optional<std::uint16_t> parsePortAddress(std::string_view text)
{
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos) {
        const auto value = decimal(text);
        if (!value || *value > MaxPortAddress) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(*value);
    }
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto net = decimal(text.substr(0, first));
    const auto subNet = decimal(text.substr(first + 1, second - first - 1));
    const auto universe = decimal(text.substr(second + 1));  // a third ':' makes this fail
    if (!net || !subNet || !universe || *net > 0x7F || *subNet > 0x0F || *universe > 0x0F) {
        return std::nullopt;
    }
    return makePortAddress(*net, *subNet, *universe);
}

// ---------------------------------------------------------------------------

ArtDmx::ArtDmx()
{
    const std::span<std::uint8_t> out(bytes_);
    putHeader(out, OpDmx);
    putU16Be(out, ProtVerAt, ProtocolVersion);
    putU16Be(out, DmxLengthAt, static_cast<std::uint16_t>(SlotCount));
}

void ArtDmx::setPortAddress(std::uint16_t portAddress)
{
    bytes_[DmxSubUniAt] = static_cast<std::uint8_t>(portAddress & 0xFF);
    bytes_[DmxNetAt] = static_cast<std::uint8_t>(portAddress >> 8 & 0x7F);
}

void ArtDmx::fill(std::uint8_t sequence, std::span<const std::uint8_t, 513> frame)
{
    bytes_[DmxSequenceAt] = sequence;
    std::copy(frame.begin() + 1, frame.end(), bytes_.begin() + HeaderSize);
}

std::optional<DmxFields> parseArtDmx(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < ArtDmx::HeaderSize || !hasHeader(bytes, OpDmx) || u16Be(bytes, ProtVerAt) < ProtocolVersion ||
        (bytes[DmxNetAt] & 0x80) != 0) {
        return std::nullopt;
    }
    DmxFields fields;
    fields.length = u16Be(bytes, DmxLengthAt);
    if (fields.length < 2 || fields.length > ArtDmx::SlotCount || fields.length % 2 != 0 ||
        bytes.size() != ArtDmx::HeaderSize + fields.length) {
        return std::nullopt;
    }
    fields.portAddress = static_cast<std::uint16_t>(bytes[DmxNetAt] << 8 | bytes[DmxSubUniAt]);
    fields.sequence = bytes[DmxSequenceAt];
    fields.physical = bytes[DmxPhysicalAt];
    const auto data = bytes.subspan(ArtDmx::HeaderSize);
    std::copy(data.begin(), data.end(), fields.data.begin());
    return fields;
}

// ---------------------------------------------------------------------------

ArtPoll::ArtPoll()
{
    const std::span<std::uint8_t> out(bytes_);
    putHeader(out, OpPoll);
    putU16Be(out, ProtVerAt, ProtocolVersion);
    setDiagPriority(DpLow);
    setManufacturer(0, OemUnknown);
}

void ArtPoll::setFlags(std::uint8_t flags)
{
    bytes_[PollFlagsAt] = flags;
}

void ArtPoll::setDiagPriority(std::uint8_t priority)
{
    bytes_[PollDiagPriorityAt] = priority;
}

void ArtPoll::setTargetRange(std::uint16_t bottom, std::uint16_t top)
{
    putU16Be(bytes_, PollTargetTopAt, top);
    putU16Be(bytes_, PollTargetBottomAt, bottom);
}

void ArtPoll::setManufacturer(std::uint16_t estaManufacturer, std::uint16_t oem)
{
    putU16Be(bytes_, PollEstaManAt, estaManufacturer);
    putU16Be(bytes_, PollOemAt, oem);
}

std::optional<PollFields> parseArtPoll(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < ArtPoll::MinimumSize || !hasHeader(bytes, OpPoll) || u16Be(bytes, ProtVerAt) < ProtocolVersion) {
        return std::nullopt;
    }
    return PollFields{bytes[PollFlagsAt], bytes[PollDiagPriorityAt]};
}

// ---------------------------------------------------------------------------

ArtPollReply::ArtPollReply()
{
    const std::span<std::uint8_t> out(bytes_);
    putHeader(out, OpPollReply);
    putU16Le(out, ReplyPortAt, Port);
    putU16Be(out, ReplyOemAt, OemUnknown);
    putU16Le(out, ReplyEstaManAt, EstaPrototype);
    out[ReplyStyleAt] = StyleController;
    out[ReplyBindIndexAt] = RootBindIndex;
    out[ReplyStatus2At] = Status2PortAddress15;
}

void ArtPollReply::setController(std::uint32_t ipv4, std::string_view shortName, std::string_view longName)
{
    const std::span<std::uint8_t> out(bytes_);
    putU32Be(out, ReplyIpAt, ipv4);
    putU32Be(out, ReplyBindIpAt, ipv4);
    packet::putText(out.subspan(ReplyShortNameAt, ShortNameField), packet::utf8Prefix(shortName, ShortNameField - 1));
    packet::putText(out.subspan(ReplyLongNameAt, LongNameField), packet::utf8Prefix(longName, LongNameField - 1));
}

void ArtPollReply::setMac(const std::array<std::uint8_t, 6>& mac)
{
    std::copy(mac.begin(), mac.end(), bytes_.begin() + ReplyMacAt);
}

void ArtPollReply::setInputs(std::span<const std::uint16_t> portAddresses, bool transmitting)
{
    const std::span<std::uint8_t> out(bytes_);
    std::fill_n(out.begin() + ReplyPortTypesAt, ReplySwOutAt + MaxPorts - ReplyPortTypesAt, std::uint8_t{0});
    out[ReplyNetSwitchAt] = 0;
    out[ReplySubSwitchAt] = 0;
    std::size_t ports = 0;
    if (!portAddresses.empty()) {
        const unsigned top = portAddresses.front() & 0x7FF0U;
        out[ReplyNetSwitchAt] = static_cast<std::uint8_t>(top >> 8);
        out[ReplySubSwitchAt] = static_cast<std::uint8_t>(top >> 4 & 0x0F);
        for (const std::uint16_t p : portAddresses) {
            if (ports == MaxPorts || (p & 0x7FF0U) != top) {
                break;
            }
            out[ReplyPortTypesAt + ports] = PortCanInput;
            out[ReplyGoodInputAt + ports] = transmitting ? InputDataReceived : 0;
            out[ReplySwInAt + ports] = static_cast<std::uint8_t>(p & 0x0F);
            ++ports;
        }
    }
    putU16Be(out, ReplyNumPortsAt, static_cast<std::uint16_t>(ports));
}

void ArtPollReply::setNodeReport(std::uint16_t code, unsigned count, std::string_view text)
{
    // "#" and four hex digits, " [", four decimal digits, "] ": 14 bytes.
    constexpr char hex[] = "0123456789abcdef";
    std::array<char, NodeReportField> report{};
    std::size_t n = 0;
    report[n++] = '#';
    for (int shift = 12; shift >= 0; shift -= 4) {
        report[n++] = hex[code >> shift & 0x0F];
    }
    report[n++] = ' ';
    report[n++] = '[';
    count %= 10000;
    for (unsigned divisor = 1000; divisor > 0; divisor /= 10) {
        report[n++] = static_cast<char>('0' + count / divisor % 10);
    }
    report[n++] = ']';
    report[n++] = ' ';
    const std::string_view cut = packet::utf8Prefix(text, NodeReportField - 1 - n);
    std::copy(cut.begin(), cut.end(), report.begin() + static_cast<std::ptrdiff_t>(n));
    n += cut.size();
    packet::putText(std::span<std::uint8_t>(bytes_).subspan(ReplyNodeReportAt, NodeReportField),
                    std::string_view(report.data(), n));
}

std::optional<PollReplyFields> parseArtPollReply(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < ArtPollReply::MinimumSize || !hasHeader(bytes, OpPollReply)) {
        return std::nullopt;
    }
    PollReplyFields fields;
    fields.ip = u32Be(bytes, ReplyIpAt);
    fields.estaManufacturer = u16Le(bytes, ReplyEstaManAt);
    fields.nodeReport.assign(bytes.subspan(ReplyNodeReportAt, ArtPollReply::NodeReportField));
    fields.shortName.assign(bytes.subspan(ReplyShortNameAt, ArtPollReply::ShortNameField));
    fields.longName.assign(bytes.subspan(ReplyLongNameAt, ArtPollReply::LongNameField));
    fields.style = bytes[ReplyStyleAt];
    std::copy_n(bytes.begin() + ReplyMacAt, fields.mac.size(), fields.mac.begin());
    if (bytes.size() > ReplyBindIndexAt) {
        fields.bindIndex = bytes[ReplyBindIndexAt];
    }

    const auto topBits =
        static_cast<std::uint16_t>((bytes[ReplyNetSwitchAt] & 0x7F) << 8 | (bytes[ReplySubSwitchAt] & 0x0F) << 4);
    const std::size_t ports = std::min<std::size_t>(u16Be(bytes, ReplyNumPortsAt), fields.outputs.size());
    for (std::size_t i = 0; i < ports; ++i) {
        if ((bytes[ReplyPortTypesAt + i] & PortCanOutput) != 0) {
            fields.outputs[fields.outputCount++] =
                static_cast<std::uint16_t>(topBits | (bytes[ReplySwOutAt + i] & 0x0F));
        }
        if ((bytes[ReplyPortTypesAt + i] & PortCanInput) != 0) {
            fields.inputs[fields.inputCount++] = static_cast<std::uint16_t>(topBits | (bytes[ReplySwInAt + i] & 0x0F));
        }
    }
    return fields;
}

}  // namespace velantra::artnet
