// Fuzzes the ArtPoll decoder, with the builder as its counterpart.
//
// - Any bytes: decoding never reads past the input (AddressSanitizer watches
//   the input's own allocation); what decodes is at least 14 bytes that start
//   with "Art-Net\0", OpPoll and a protocol version of 14 or more, and its
//   flags and priority are the bytes at 12 and 13. A decoded poll of 22 bytes
//   or more at protocol 14 is the one the builder writes from its fields
//   (flags, priority, target range, manufacturer), byte for byte.
// - Round trip: the input's first eight bytes as flags, priority, target
//   range and manufacturer build a 22-byte poll that decodes to them.
#include "network/artnet_packet.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace velantra {
namespace {

using namespace artnet;
using fuzz::check;

constexpr std::array<std::uint8_t, 12> PollHeader{'A', 'r', 't', '-', 'N', 'e', 't', 0, 0x00, 0x20, 0x00, 14};

std::uint16_t wordAt(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void checkAnyBytes(std::span<const std::uint8_t> input)
{
    const auto fields = parseArtPoll(input);
    if (!fields) {
        return;
    }
    check(input.size() >= ArtPoll::MinimumSize, "a poll shorter than 14 bytes decoded");
    check(std::equal(PollHeader.begin(), PollHeader.begin() + 10, input.begin()), "a poll without ID and OpPoll");
    check(wordAt(input, 10) >= ProtocolVersion, "a protocol below 14 decoded");
    check(fields->flags == input[12] && fields->diagPriority == input[13], "flags or priority not from 12 and 13");
    if (input.size() < ArtPoll::Size || wordAt(input, 10) != ProtocolVersion) {
        return;
    }
    ArtPoll poll;
    poll.setFlags(fields->flags);
    poll.setDiagPriority(fields->diagPriority);
    poll.setTargetRange(wordAt(input, 16), wordAt(input, 14));
    poll.setManufacturer(wordAt(input, 18), wordAt(input, 20));
    check(std::equal(poll.bytes().begin(), poll.bytes().end(), input.begin()), "a poll has a second spelling");
}

void checkRoundTrip(std::span<const std::uint8_t> input)
{
    std::array<std::uint8_t, 10> in{};
    std::copy_n(input.begin(), std::min(input.size(), in.size()), in.begin());
    ArtPoll poll;
    poll.setFlags(in[0]);
    poll.setDiagPriority(in[1]);
    poll.setTargetRange(wordAt(in, 2), wordAt(in, 4));
    poll.setManufacturer(wordAt(in, 6), wordAt(in, 8));
    const auto out = poll.bytes();
    check(out.size() == ArtPoll::Size, "a poll is not 22 bytes");
    check(std::equal(PollHeader.begin(), PollHeader.end(), out.begin()), "a poll's header is wrong");
    const auto fields = parseArtPoll(out);
    check(fields.has_value() && fields->flags == in[0] && fields->diagPriority == in[1], "a poll came back changed");
    check(wordAt(out, 14) == wordAt(in, 4) && wordAt(out, 16) == wordAt(in, 2), "the target range is misplaced");
    check(wordAt(out, 18) == wordAt(in, 6) && wordAt(out, 20) == wordAt(in, 8), "the manufacturer is misplaced");
}

}  // namespace
}  // namespace velantra

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    velantra::checkAnyBytes(input);
    velantra::checkRoundTrip(input);
    return 0;
}
