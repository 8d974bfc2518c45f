#include "network/sacn_packet.h"

#include <algorithm>

namespace velantra::sacn {
namespace {

using packet::putU16Be;
using packet::putU32Be;
using packet::u16Be;
using packet::u32Be;

// Root layer.
constexpr std::size_t PreambleAt = 0;
constexpr std::size_t PostambleAt = 2;
constexpr std::size_t IdentifierAt = 4;
constexpr std::size_t RootFlagsAt = 16;
constexpr std::size_t RootVectorAt = 18;
constexpr std::size_t CidAt = 22;
// Framing layer.
constexpr std::size_t FramingFlagsAt = 38;
constexpr std::size_t FramingVectorAt = 40;
constexpr std::size_t SourceNameAt = 44;
constexpr std::size_t PriorityAt = 108;
constexpr std::size_t SyncAddressAt = 109;
constexpr std::size_t SequenceAt = 111;
constexpr std::size_t OptionsAt = 112;
constexpr std::size_t UniverseAt = 113;
// DMP layer.
constexpr std::size_t DmpFlagsAt = 115;
constexpr std::size_t DmpVectorAt = 117;
constexpr std::size_t AddressTypeAt = 118;
constexpr std::size_t FirstAddressAt = 119;
constexpr std::size_t IncrementAt = 121;
constexpr std::size_t ValueCountAt = 123;

constexpr std::uint16_t PreambleSize = 0x0010;
constexpr std::array<std::uint8_t, 12> AcnIdentifier{'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0, 0, 0};
constexpr std::uint32_t VectorRootData = 0x00000004;
constexpr std::uint32_t VectorRootExtended = 0x00000008;
constexpr std::uint32_t VectorExtendedDiscovery = 0x00000002;
constexpr std::uint32_t VectorUniverseList = 0x00000001;
// Discovery's framing layer: a reserved word after the name; then its own layer.
constexpr std::size_t DiscoveryReservedAt = 108;
constexpr std::size_t DiscoveryLayerAt = 112;
constexpr std::size_t DiscoveryVectorAt = 114;
constexpr std::size_t DiscoveryPageAt = 118;
constexpr std::size_t DiscoveryLastPageAt = 119;
constexpr std::uint32_t VectorFramingData = 0x00000002;
constexpr std::uint8_t VectorDmpSetProperty = 0x02;
constexpr std::uint8_t AddressAndDataType = 0xA1;

// A layer's flags (0x7) and its length, from its own first byte to the end.
constexpr std::uint16_t flagsAndLength(std::size_t layerAt, std::size_t packetSize)
{
    return static_cast<std::uint16_t>(0x7000 | (packetSize - layerAt));
}

void putRoot(std::span<std::uint8_t> out, std::uint32_t vector, const Cid& cid, std::size_t size)
{
    putU16Be(out, PreambleAt, PreambleSize);
    putU16Be(out, PostambleAt, 0);
    std::copy(AcnIdentifier.begin(), AcnIdentifier.end(), out.begin() + IdentifierAt);
    putU16Be(out, RootFlagsAt, flagsAndLength(RootFlagsAt, size));
    putU32Be(out, RootVectorAt, vector);
    std::copy(cid.begin(), cid.end(), out.begin() + CidAt);
}

bool rootMatches(std::span<const std::uint8_t> bytes, std::uint32_t vector)
{
    return u16Be(bytes, PreambleAt) == PreambleSize && u16Be(bytes, PostambleAt) == 0 &&
           std::equal(AcnIdentifier.begin(), AcnIdentifier.end(), bytes.begin() + IdentifierAt) &&
           u16Be(bytes, RootFlagsAt) == flagsAndLength(RootFlagsAt, bytes.size()) &&
           u32Be(bytes, RootVectorAt) == vector;
}

}  // namespace

DataPacket::DataPacket()
{
    layOut(Cid{}, {}, DefaultPriority, FirstUniverse);
}

bool DataPacket::setSource(const Cid& cid, std::string_view name, std::uint8_t priority, std::uint16_t universe)
{
    if (universe < FirstUniverse || universe > LastUniverse || priority > MaxPriority) {
        return false;
    }
    layOut(cid, name, priority, universe);
    return true;
}

void DataPacket::layOut(const Cid& cid, std::string_view name, std::uint8_t priority, std::uint16_t universe)
{
    const std::span<std::uint8_t> out(bytes_);
    putRoot(out, VectorRootData, cid, DataPacketSize);

    putU16Be(out, FramingFlagsAt, flagsAndLength(FramingFlagsAt, DataPacketSize));
    putU32Be(out, FramingVectorAt, VectorFramingData);
    packet::putText(out.subspan(SourceNameAt, SourceNameField), packet::utf8Prefix(name, SourceNameMax));
    out[PriorityAt] = priority;
    putU16Be(out, SyncAddressAt, 0);
    putU16Be(out, UniverseAt, universe);

    putU16Be(out, DmpFlagsAt, flagsAndLength(DmpFlagsAt, DataPacketSize));
    out[DmpVectorAt] = VectorDmpSetProperty;
    out[AddressTypeAt] = AddressAndDataType;
    putU16Be(out, FirstAddressAt, 0);
    putU16Be(out, IncrementAt, 1);
    putU16Be(out, ValueCountAt, static_cast<std::uint16_t>(FrameSize));
}

void DataPacket::fill(std::uint8_t sequence, std::span<const std::uint8_t, FrameSize> frame, std::uint8_t options)
{
    bytes_[SequenceAt] = sequence;
    bytes_[OptionsAt] = options;
    std::copy(frame.begin(), frame.end(), bytes_.begin() + PropertyValuesAt);
}

std::optional<DataFields> parseDataPacket(std::span<const std::uint8_t> bytes)
{
    const std::size_t size = bytes.size();
    if (size < PropertyValuesAt + 1 || size > DataPacketSize) {
        return std::nullopt;
    }
    const bool rootOk = rootMatches(bytes, VectorRootData);
    const bool framingOk = u16Be(bytes, FramingFlagsAt) == flagsAndLength(FramingFlagsAt, size) &&
                           u32Be(bytes, FramingVectorAt) == VectorFramingData;
    const bool dmpOk = u16Be(bytes, DmpFlagsAt) == flagsAndLength(DmpFlagsAt, size) &&
                       bytes[DmpVectorAt] == VectorDmpSetProperty && bytes[AddressTypeAt] == AddressAndDataType &&
                       u16Be(bytes, FirstAddressAt) == 0 && u16Be(bytes, IncrementAt) == 1 &&
                       u16Be(bytes, ValueCountAt) == size - PropertyValuesAt;
    if (!rootOk || !framingOk || !dmpOk) {
        return std::nullopt;
    }

    DataFields fields;
    fields.priority = bytes[PriorityAt];
    fields.universe = u16Be(bytes, UniverseAt);
    if (fields.priority > MaxPriority || fields.universe < FirstUniverse || fields.universe > LastUniverse) {
        return std::nullopt;
    }
    std::copy_n(bytes.begin() + CidAt, fields.cid.size(), fields.cid.begin());
    fields.sourceName.assign(bytes.subspan(SourceNameAt, SourceNameField));
    fields.syncAddress = u16Be(bytes, SyncAddressAt);
    fields.sequence = bytes[SequenceAt];
    fields.options = bytes[OptionsAt];
    fields.startCode = bytes[PropertyValuesAt];
    const auto slots = bytes.subspan(PropertyValuesAt + 1);
    fields.slotCount = slots.size();
    std::copy(slots.begin(), slots.end(), fields.levels.begin());
    return fields;
}

// ---------------------------------------------------------------------------

DiscoveryPacket::DiscoveryPacket()
{
    set(Cid{}, {}, {});
}

void DiscoveryPacket::set(const Cid& cid, std::string_view name, std::span<const std::uint16_t> universes,
                          std::uint8_t page, std::uint8_t lastPage)
{
    const std::size_t count = std::min(universes.size(), DiscoveryPageUniverses);
    size_ = DiscoveryListAt + 2 * count;
    const std::span<std::uint8_t> out = std::span(bytes_).first(size_);
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    putRoot(out, VectorRootExtended, cid, size_);
    putU16Be(out, FramingFlagsAt, flagsAndLength(FramingFlagsAt, size_));
    putU32Be(out, FramingVectorAt, VectorExtendedDiscovery);
    packet::putText(out.subspan(SourceNameAt, SourceNameField), packet::utf8Prefix(name, SourceNameMax));
    putU32Be(out, DiscoveryReservedAt, 0);
    putU16Be(out, DiscoveryLayerAt, flagsAndLength(DiscoveryLayerAt, size_));
    putU32Be(out, DiscoveryVectorAt, VectorUniverseList);
    out[DiscoveryPageAt] = page;
    out[DiscoveryLastPageAt] = lastPage;
    for (std::size_t i = 0; i < count; ++i) {
        putU16Be(out, DiscoveryListAt + 2 * i, universes[i]);
    }
}

std::optional<DiscoveryFields> parseDiscoveryPacket(std::span<const std::uint8_t> bytes)
{
    const std::size_t size = bytes.size();
    if (size < DiscoveryListAt || size > DiscoveryMaxSize || size % 2 != 0 || !rootMatches(bytes, VectorRootExtended) ||
        u16Be(bytes, FramingFlagsAt) != flagsAndLength(FramingFlagsAt, size) ||
        u32Be(bytes, FramingVectorAt) != VectorExtendedDiscovery ||
        u16Be(bytes, DiscoveryLayerAt) != flagsAndLength(DiscoveryLayerAt, size) ||
        u32Be(bytes, DiscoveryVectorAt) != VectorUniverseList || bytes[DiscoveryPageAt] > bytes[DiscoveryLastPageAt]) {
        return std::nullopt;
    }
    DiscoveryFields fields;
    std::copy_n(bytes.begin() + CidAt, fields.cid.size(), fields.cid.begin());
    fields.sourceName.assign(bytes.subspan(SourceNameAt, SourceNameField));
    fields.page = bytes[DiscoveryPageAt];
    fields.lastPage = bytes[DiscoveryLastPageAt];
    fields.count = (size - DiscoveryListAt) / 2;
    for (std::size_t i = 0; i < fields.count; ++i) {
        fields.universes[i] = u16Be(bytes, DiscoveryListAt + 2 * i);
        if (i > 0 && fields.universes[i] <= fields.universes[i - 1]) {
            return std::nullopt;
        }
    }
    return fields;
}

}  // namespace velantra::sacn
