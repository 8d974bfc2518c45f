// Fuzzes the sACN data packet decoder, with the builder as its counterpart,
// and the universe discovery decoder.
//
// - Any bytes: decoding never reads past the input (AddressSanitizer watches
//   the input's own allocation), and what decodes is in range: 0..512 slots
//   that account for the whole input, priority 0..200, universe 1..63999, a
//   name without NULs. A full 512-slot packet built again from its fields is
//   the same packet byte for byte, except the sync address (the builder sends
//   0) and the name field: the name comes back as a prefix of the one decoded,
//   and whole, with the field as it was, whenever it fits 63 bytes and only
//   NULs follow it.
// - Round trip: the input read as a source and a frame (CID, priority,
//   universe, sequence, options, the 513 values, then the name) either is
//   refused by setSource, leaving the packet as it was, or builds a packet
//   that decodes to the same fields, its name cut to at most 63 bytes and only
//   ever back over the continuation bytes of the character the cut fell in.
// - Discovery, any bytes: what decodes is a page no later than the last, its
//   universes strictly ascending and accounting for the whole input; built
//   again from its fields it is the same packet byte for byte but the name
//   field and the reserved word.
#include "network/sacn_packet.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/name_cut_check.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace velantra {
namespace {

using namespace sacn;
using fuzz::check;

constexpr std::size_t NameAt = 44;
constexpr std::size_t SyncAt = 109;

void checkAnyBytes(std::span<const std::uint8_t> input)
{
    const auto fields = parseDataPacket(input);
    if (!fields) {
        return;
    }
    check(input.size() == PropertyValuesAt + 1 + fields->slotCount, "the slots do not account for the packet");
    check(fields->priority <= MaxPriority, "a priority above 200 decoded");
    check(fields->universe >= FirstUniverse && fields->universe <= LastUniverse, "a universe out of range decoded");
    const std::string_view name = fields->sourceName.view();
    check(name.size() <= SourceNameField && name.find('\0') == std::string_view::npos, "a name past its field");
    check(std::all_of(fields->levels.begin() + static_cast<std::ptrdiff_t>(fields->slotCount), fields->levels.end(),
                      [](std::uint8_t b) { return b == 0; }),
          "slots past the count are not zero");
    if (fields->slotCount != SlotCount) {
        return;
    }

    DataPacket packet;
    check(packet.setSource(fields->cid, name, fields->priority, fields->universe), "a decoded source was refused");
    std::array<std::uint8_t, FrameSize> frame{};
    frame[0] = fields->startCode;
    std::copy(fields->levels.begin(), fields->levels.end(), frame.begin() + 1);
    packet.fill(fields->sequence, frame, fields->options);
    const auto out = packet.bytes();
    check(out.size() == input.size(), "the built packet has another size");
    for (std::size_t i = 0; i < out.size(); ++i) {
        const bool nameField = i >= NameAt && i < NameAt + SourceNameField;
        const bool sync = i == SyncAt || i == SyncAt + 1;
        check(nameField || sync || out[i] == input[i], "the packet built from a decoded one differs");
    }
    check(out[SyncAt] == 0 && out[SyncAt + 1] == 0, "the builder sent a sync address");

    const auto again = parseDataPacket(out);
    check(again.has_value(), "a built packet did not decode");
    check(name.substr(0, again->sourceName.size()) == again->sourceName.view(),
          "the name is no prefix of the one read");
    const auto inField = input.subspan(NameAt, SourceNameField);
    const bool fits =
        name.size() <= SourceNameMax && std::all_of(inField.begin() + static_cast<std::ptrdiff_t>(name.size()),
                                                    inField.end(), [](std::uint8_t b) { return b == 0; });
    if (fits) {
        check(std::equal(inField.begin(), inField.end(), out.begin() + NameAt), "a name that fits was changed");
    }
}

// The input's byte at, or 0 past its end.
std::uint8_t byteAt(std::span<const std::uint8_t> input, std::size_t at)
{
    return at < input.size() ? input[at] : 0;
}

void checkRoundTrip(std::span<const std::uint8_t> input)
{
    Cid cid{};
    for (std::size_t i = 0; i < cid.size(); ++i) {
        cid[i] = byteAt(input, i);
    }
    const std::uint8_t priority = byteAt(input, 16);
    const auto universe = static_cast<std::uint16_t>(byteAt(input, 17) << 8 | byteAt(input, 18));
    const std::uint8_t sequence = byteAt(input, 19);
    const std::uint8_t options = byteAt(input, 20);
    std::array<std::uint8_t, FrameSize> frame{};
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = byteAt(input, 21 + i);
    }
    constexpr std::size_t NameFrom = 21 + FrameSize;
    const auto rest = input.size() > NameFrom ? input.subspan(NameFrom) : std::span<const std::uint8_t>{};
    const std::string_view given(reinterpret_cast<const char*>(rest.data()), rest.size());

    DataPacket packet;
    const std::array<std::uint8_t, DataPacketSize> before = [&packet] {
        std::array<std::uint8_t, DataPacketSize> copy{};
        std::copy(packet.bytes().begin(), packet.bytes().end(), copy.begin());
        return copy;
    }();
    const bool valid = universe >= FirstUniverse && universe <= LastUniverse && priority <= MaxPriority;
    const bool taken = packet.setSource(cid, given, priority, universe);
    check(taken == valid, "setSource took an invalid source or refused a valid one");
    if (!taken) {
        check(std::equal(before.begin(), before.end(), packet.bytes().begin()), "a refused source changed the packet");
        return;
    }
    packet.fill(sequence, frame, options);

    const auto fields = parseDataPacket(packet.bytes());
    check(fields.has_value(), "a built packet did not decode");
    check(fields->cid == cid && fields->priority == priority && fields->universe == universe &&
              fields->sequence == sequence && fields->options == options && fields->syncAddress == 0,
          "a field came back changed");
    check(fields->startCode == frame[0] && fields->slotCount == SlotCount &&
              std::equal(fields->levels.begin(), fields->levels.end(), frame.begin() + 1),
          "the frame came back changed");

    fuzz::checkNameCut(given, fields->sourceName.view(), SourceNameMax);
}

void checkDiscovery(std::span<const std::uint8_t> input)
{
    const auto fields = parseDiscoveryPacket(input);
    if (!fields) {
        return;
    }
    check(input.size() == DiscoveryListAt + 2 * fields->count, "the universes do not account for the packet");
    check(fields->page <= fields->lastPage, "a page after the last decoded");
    for (std::size_t i = 1; i < fields->count; ++i) {
        check(fields->universes[i] > fields->universes[i - 1], "a list out of order decoded");
    }
    DiscoveryPacket packet;
    packet.set(fields->cid, fields->sourceName.view(), std::span(fields->universes).first(fields->count), fields->page,
               fields->lastPage);
    const auto out = packet.bytes();
    check(out.size() == input.size(), "the built list has another size");
    constexpr std::size_t ReservedAt = 108;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const bool free = (i >= NameAt && i < NameAt + SourceNameField) || (i >= ReservedAt && i < ReservedAt + 4);
        check(free || out[i] == input[i], "the list built from a decoded one differs");
    }
}

}  // namespace
}  // namespace velantra

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    velantra::checkDiscovery(input);
    velantra::checkAnyBytes(input);
    velantra::checkRoundTrip(input);
    return 0;
}
