// sACN (ANSI E1.31-2016) data packets: one universe of DMX512 slots over UDP,
// multicast to 239.255.hi.lo on port 5568.
//
// A DataPacket lays out its root, framing and DMP layers once, in setSource();
// on every frame fill() writes only the sequence number, the options and the
// 513 property values (start code and slots), so the output thread neither
// allocates nor formats text. The decoder is for tests and for a receiver.
#pragma once

#include "network/packet_fields.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velantra::sacn {

inline constexpr std::uint16_t Port = 5568;
inline constexpr std::size_t SlotCount = 512;
inline constexpr std::size_t FrameSize = 1 + SlotCount;                      // start code and slots
inline constexpr std::size_t PropertyValuesAt = 125;                         // the start code's offset
inline constexpr std::size_t DataPacketSize = PropertyValuesAt + FrameSize;  // 638
inline constexpr std::size_t SourceNameField = 64;
inline constexpr std::size_t SourceNameMax = SourceNameField - 1;  // bytes of UTF-8 before the NUL

inline constexpr std::uint16_t FirstUniverse = 1;
inline constexpr std::uint16_t LastUniverse = 63999;
inline constexpr std::uint8_t DefaultPriority = 100;
inline constexpr std::uint8_t MaxPriority = 200;

// Bits of the framing layer's options byte.
inline constexpr std::uint8_t OptionPreview = 0x80;
inline constexpr std::uint8_t OptionStreamTerminated = 0x40;
inline constexpr std::uint8_t OptionForceSynchronization = 0x20;

// The sender's component identifier (a UUID, in network byte order).
using Cid = std::array<std::uint8_t, 16>;

class DataPacket {
public:
    // Any thread. Never blocks, never allocates. A packet from the nil CID
    // with no name, priority 100, universe 1, sequence 0 and all slots at 0.
    DataPacket();

    // Thread that owns the packet (the output thread while it sends).
    // Never blocks, never allocates.
    // Lays out every field but the sequence number, the options and the
    // values. The name is taken up to its first NUL and cut to 63 bytes on a
    // UTF-8 character boundary. Returns false, leaving the packet as it was,
    // when universe is outside 1..63999 or priority is above 200.
    [[nodiscard]] bool setSource(const Cid& cid, std::string_view name, std::uint8_t priority, std::uint16_t universe);

    // Output thread. Never blocks, never allocates.
    // Writes the sequence number, the options (Option* bits) and the frame:
    // frame[0] is the start code, frame[1..512] the slots.
    void fill(std::uint8_t sequence, std::span<const std::uint8_t, FrameSize> frame, std::uint8_t options = 0);

    // Any thread that owns the packet. Never blocks, never allocates.
    // The whole packet, DataPacketSize bytes, valid while the packet lives.
    std::span<const std::uint8_t> bytes() const { return bytes_; }

private:
    void layOut(const Cid& cid, std::string_view name, std::uint8_t priority, std::uint16_t universe);

    std::array<std::uint8_t, DataPacketSize> bytes_{};
};

// ---------------------------------------------------------------------------
// Universe discovery (E1.31-2016 section 8): every 10 s a source lists the
// universes it sends, on the discovery universe 64214 (239.255.250.214), in
// pages of at most 512 universes.
inline constexpr std::uint16_t DiscoveryUniverse = 64214;
inline constexpr std::size_t DiscoveryListAt = 120;  // the first universe of the list
inline constexpr std::size_t DiscoveryPageUniverses = 512;
inline constexpr std::size_t DiscoveryMaxSize = DiscoveryListAt + 2 * DiscoveryPageUniverses;

class DiscoveryPacket {
public:
    // Any thread. Never blocks, never allocates. An empty list from the nil CID.
    DiscoveryPacket();

    // Thread that owns the packet. Never blocks, never allocates.
    // One page (page of lastPage, counted from 0) listing universes, which
    // the caller sorts ascending; at most DiscoveryPageUniverses are taken.
    void set(const Cid& cid, std::string_view name, std::span<const std::uint16_t> universes, std::uint8_t page = 0,
             std::uint8_t lastPage = 0);

    // Thread that owns the packet. DiscoveryListAt + 2 bytes per universe.
    std::span<const std::uint8_t> bytes() const { return std::span(bytes_).first(size_); }

private:
    std::array<std::uint8_t, DiscoveryMaxSize> bytes_{};
    std::size_t size_ = DiscoveryListAt;
};

struct DiscoveryFields {
    Cid cid{};
    packet::FieldText<SourceNameField> sourceName;
    std::uint8_t page = 0;
    std::uint8_t lastPage = 0;
    std::array<std::uint16_t, DiscoveryPageUniverses> universes{};
    std::size_t count = 0;
};

// Any thread. Never blocks, never allocates. Reads nothing outside bytes.
// Refuses a packet whose fixed fields or three lengths do not match its
// size, an odd list, a page after the last page, and a list that is not
// strictly ascending.
std::optional<DiscoveryFields> parseDiscoveryPacket(std::span<const std::uint8_t> bytes);

// Any thread. Never blocks, never allocates.
// The multicast group of a universe, 239.255.hi.lo, as a host-order IPv4
// address (239.255.0.1 is 0xEFFF0001). Meaningful for universes 1..63999.
constexpr std::uint32_t multicastGroup(std::uint16_t universe)
{
    return 239U << 24 | 255U << 16 | universe;
}

// What a data packet carries.
struct DataFields {
    Cid cid{};
    packet::FieldText<SourceNameField> sourceName;  // up to its first NUL
    std::uint8_t priority = 0;
    std::uint16_t syncAddress = 0;
    std::uint8_t sequence = 0;
    std::uint8_t options = 0;
    std::uint16_t universe = 0;
    std::uint8_t startCode = 0;
    std::array<std::uint8_t, SlotCount> levels{};  // levels[0] is slot 1; zeros past slotCount
    std::size_t slotCount = 0;                     // 0..512
};

// Any thread. Never blocks, never allocates. Reads nothing outside bytes.
// Decodes a data packet of 126..638 bytes (a start code and 0..512 slots).
// Refuses, with nullopt, a packet whose fixed fields differ from the ones
// above, whose three flags-and-length words or property value count do not
// match its size, whose priority is above 200 or whose universe is outside
// 1..63999.
std::optional<DataFields> parseDataPacket(std::span<const std::uint8_t> bytes);

}  // namespace velantra::sacn
