// Art-Net 4 packets on UDP port 6454: ArtDmx (one universe of slots), ArtPoll
// (looking for nodes) and ArtPollReply (a node, or this controller, saying
// what it is). Every packet starts with "Art-Net\0" and a little-endian
// OpCode; ArtDmx and ArtPoll follow it with protocol version 14, high byte
// first.
//
// The builders lay out their packet once; per frame ArtDmx::fill() writes only
// the sequence number and the slots. The decoders are for tests and for the
// receiver that listens for nodes.
#pragma once

#include "network/packet_fields.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velantra::artnet {

inline constexpr std::uint16_t Port = 6454;
inline constexpr std::uint16_t ProtocolVersion = 14;
inline constexpr std::uint16_t OpPoll = 0x2000;
inline constexpr std::uint16_t OpPollReply = 0x2100;
inline constexpr std::uint16_t OpDmx = 0x5000;

// A 15-bit Port-Address: Net (7 bits) << 8 | Sub-Net (4 bits) << 4 | Universe (4 bits).
inline constexpr std::uint16_t MaxPortAddress = 0x7FFF;

// Any thread. Never blocks, never allocates. Bits beyond each field's width are dropped.
constexpr std::uint16_t makePortAddress(unsigned net, unsigned subNet, unsigned universe)
{
    return static_cast<std::uint16_t>((net & 0x7FU) << 8 | (subNet & 0x0FU) << 4 | (universe & 0x0FU));
}

// GUI thread (allocates). "Net:Sub-Net:Universe", e.g. "1:2:3" for 0x0123.
// Bit 15, outside the 15 bits of a Port-Address, is ignored.
std::string portAddressText(std::uint16_t portAddress);

// GUI thread. Never blocks, never allocates. Reads "N:S:U" (Net 0..127,
// Sub-Net and Universe 0..15) or a plain number 0..32767, in decimal digits
// only; nullopt for anything else.
std::optional<std::uint16_t> parsePortAddress(std::string_view text);

// ---------------------------------------------------------------------------
// ArtDmx: an 18-byte header and the 512 slots (Art-Net carries no start code).
class ArtDmx {
public:
    static constexpr std::size_t HeaderSize = 18;
    static constexpr std::size_t SlotCount = 512;
    static constexpr std::size_t Size = HeaderSize + SlotCount;

    // Any thread. Never blocks, never allocates. Port-Address 0, sequence 0, all slots at 0.
    ArtDmx();

    // Thread that owns the packet. Never blocks, never allocates. Bit 15 is ignored.
    void setPortAddress(std::uint16_t portAddress);

    // Output thread. Never blocks, never allocates.
    // sequence: 1..255 in turn, or 0 to tell receivers not to reorder.
    // Copies the slots frame[1..512]; the start code frame[0] is not sent.
    void fill(std::uint8_t sequence, std::span<const std::uint8_t, 513> frame);

    // Thread that owns the packet. Never blocks, never allocates. Size bytes.
    std::span<const std::uint8_t> bytes() const { return bytes_; }

private:
    std::array<std::uint8_t, Size> bytes_{};
};

struct DmxFields {
    std::uint16_t portAddress = 0;
    std::uint8_t sequence = 0;
    std::uint8_t physical = 0;
    std::uint16_t length = 0;              // 2..512, even
    std::array<std::uint8_t, 512> data{};  // zeros past length
};

// Any thread. Never blocks, never allocates. Reads nothing outside bytes.
// Refuses a wrong ID or OpCode, a protocol version below 14, a Net byte with
// bit 7 set, a Length that is odd or outside 2..512, and a packet that is not
// exactly 18 + Length bytes.
std::optional<DmxFields> parseArtDmx(std::span<const std::uint8_t> bytes);

// ---------------------------------------------------------------------------
// ArtPoll, in its Art-Net 4 form of 22 bytes.

// Bits of ArtPoll's Flags byte.
inline constexpr std::uint8_t PollReplyOnChange = 0x02;
inline constexpr std::uint8_t PollDiagnostics = 0x04;
inline constexpr std::uint8_t PollDiagnosticsUnicast = 0x08;
inline constexpr std::uint8_t PollNoVlc = 0x10;
inline constexpr std::uint8_t PollTargeted = 0x20;

// Diagnostics priorities (ArtPoll's DiagPriority).
inline constexpr std::uint8_t DpLow = 0x10;
inline constexpr std::uint8_t DpMed = 0x40;
inline constexpr std::uint8_t DpHigh = 0x80;
inline constexpr std::uint8_t DpCritical = 0xE0;
inline constexpr std::uint8_t DpVolatile = 0xF0;

// Oem code of a product that has none of its own.
inline constexpr std::uint16_t OemUnknown = 0x00FF;
// ESTA's manufacturer code set aside for products without one of their own
// (the first of the prototyping range 0x7FF0..0x7FFF).
inline constexpr std::uint16_t EstaPrototype = 0x7FF0;

class ArtPoll {
public:
    static constexpr std::size_t Size = 22;
    static constexpr std::size_t MinimumSize = 14;  // the form of older controllers: up to DiagPriority

    // Any thread. Never blocks, never allocates. Flags 0, DiagPriority DpLow,
    // target range 0..0, ESTA manufacturer 0, Oem OemUnknown.
    ArtPoll();

    // Thread that owns the packet. Never blocks, never allocates (the four setters).
    void setFlags(std::uint8_t flags);
    void setDiagPriority(std::uint8_t priority);
    // The Port-Addresses a targeted poll (flag PollTargeted) asks about, bottom..top inclusive.
    void setTargetRange(std::uint16_t bottom, std::uint16_t top);
    void setManufacturer(std::uint16_t estaManufacturer, std::uint16_t oem);

    // Thread that owns the packet. Never blocks, never allocates. Size bytes.
    std::span<const std::uint8_t> bytes() const { return bytes_; }

private:
    std::array<std::uint8_t, Size> bytes_{};
};

struct PollFields {
    std::uint8_t flags = 0;
    std::uint8_t diagPriority = 0;
};

// Any thread. Never blocks, never allocates. Reads nothing outside bytes.
// Accepts 14 bytes or more (fields past DiagPriority are not read); refuses
// a wrong ID or OpCode and a protocol version below 14.
std::optional<PollFields> parseArtPoll(std::span<const std::uint8_t> bytes);

// ---------------------------------------------------------------------------
// ArtPollReply, 239 bytes.

// Style codes.
inline constexpr std::uint8_t StyleNode = 0x00;
inline constexpr std::uint8_t StyleController = 0x01;

// Bits of a PortTypes byte.
inline constexpr std::uint8_t PortCanOutput = 0x80;  // outputs DMX512 from the network
inline constexpr std::uint8_t PortCanInput = 0x40;   // puts DMX512 onto the network

// Bit of a GoodInput byte: the port receives data (and so transmits it).
inline constexpr std::uint8_t InputDataReceived = 0x80;

// NodeReport codes.
inline constexpr std::uint16_t RcPowerOk = 0x0001;
inline constexpr std::uint16_t RcUdpFail = 0x0005;  // sends are refused

class ArtPollReply {
public:
    static constexpr std::size_t Size = 239;
    // Older nodes send shorter replies; up to and including the MAC address
    // (207 bytes) is what the decoder needs.
    static constexpr std::size_t MinimumSize = 207;
    static constexpr std::size_t ShortNameField = 18;
    static constexpr std::size_t LongNameField = 64;

    static constexpr std::size_t NodeReportField = 64;
    static constexpr std::size_t MaxPorts = 4;

    // Any thread. Never blocks, never allocates. A controller's reply: IP
    // 0.0.0.0, no names, ESTA code EstaPrototype, Style StController, no ports.
    ArtPollReply();

    // Thread that owns the packet. Never blocks, never allocates.
    // ipv4 in host order (192.168.1.20 is 0xC0A80114), written as IP and
    // BindIp. Names are taken up to their first NUL and cut on a UTF-8
    // character boundary to 17 and 63 bytes.
    void setController(std::uint32_t ipv4, std::string_view shortName, std::string_view longName);
    // Thread that owns the packet. Never blocks, never allocates.
    void setMac(const std::array<std::uint8_t, 6>& mac);
    // Thread that owns the packet. Never blocks, never allocates.
    // The Port-Addresses the controller transmits, as input ports: the first
    // sets NetSwitch and SubSwitch, and only those of the same Net and
    // Sub-Net follow it (at most MaxPorts). transmitting marks each port as
    // receiving data. An empty list: no ports.
    void setInputs(std::span<const std::uint16_t> portAddresses, bool transmitting);
    // Thread that owns the packet. Never blocks, never allocates.
    // NodeReport "#xxxx [nnnn] text": the code in four hex digits, the count
    // of replies sent modulo 10000, and the text cut to fit 63 bytes.
    void setNodeReport(std::uint16_t code, unsigned count, std::string_view text);

    // Thread that owns the packet. Never blocks, never allocates. Size bytes.
    std::span<const std::uint8_t> bytes() const { return bytes_; }

private:
    std::array<std::uint8_t, Size> bytes_{};
};

struct PollReplyFields {
    std::uint32_t ip = 0;  // host order
    std::uint16_t estaManufacturer = 0;
    packet::FieldText<ArtPollReply::NodeReportField> nodeReport;
    packet::FieldText<ArtPollReply::ShortNameField> shortName;
    packet::FieldText<ArtPollReply::LongNameField> longName;
    std::uint8_t style = 0;
    std::array<std::uint8_t, 6> mac{};
    std::uint8_t bindIndex = 0;  // 0 when the reply is too short to carry it
    // The Port-Addresses the node outputs: one for each of its first
    // min(NumPorts, 4) ports whose PortTypes has PortCanOutput.
    std::array<std::uint16_t, 4> outputs{};
    std::size_t outputCount = 0;
    // The same for the ports whose PortTypes has PortCanInput (from SwIn).
    std::array<std::uint16_t, 4> inputs{};
    std::size_t inputCount = 0;
};

// Any thread. Never blocks, never allocates. Reads nothing outside bytes.
// Accepts MinimumSize bytes or more; refuses a wrong ID or OpCode.
std::optional<PollReplyFields> parseArtPollReply(std::span<const std::uint8_t> bytes);

}  // namespace velantra::artnet
