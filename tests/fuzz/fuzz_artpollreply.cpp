// Fuzzes the ArtPollReply decoder, with the builder as its counterpart.
//
// - Any bytes: decoding never reads past the input (AddressSanitizer watches
//   the input's own allocation); what decodes is at least 207 bytes with the
//   ID and OpPollReply; the IP, style, MAC and bind index (0 below 212 bytes)
//   are the bytes at their offsets; the names are the fields' bytes up to a
//   NUL, within 18 and 64 bytes; at most min(NumPorts, 4) outputs, each a
//   Port-Address of at most 0x7FFF sharing the node's Net and Sub-Net.
// - Round trip: the input read as an IPv4 address and two names builds a
//   controller's reply that decodes to that address, Style StController, no
//   outputs, and the names cut to 17 and 63 bytes on character boundaries.
#include "network/artnet_packet.h"
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

using namespace artnet;
using fuzz::check;

constexpr std::array<std::uint8_t, 10> ReplyHeader{'A', 'r', 't', '-', 'N', 'e', 't', 0, 0x00, 0x21};

template <std::size_t N> bool isFieldText(const packet::FieldText<N>& text, std::span<const std::uint8_t> field)
{
    const std::string_view view = text.view();
    return view.size() <= field.size() &&
           std::equal(view.begin(), view.end(), field.begin(),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; }) &&
           (view.size() == field.size() || field[view.size()] == 0) && view.find('\0') == std::string_view::npos;
}

void checkAnyBytes(std::span<const std::uint8_t> input)
{
    const auto fields = parseArtPollReply(input);
    if (!fields) {
        return;
    }
    check(input.size() >= ArtPollReply::MinimumSize, "a reply shorter than 207 bytes decoded");
    check(std::equal(ReplyHeader.begin(), ReplyHeader.end(), input.begin()), "a reply without ID and OpPollReply");
    check(fields->ip == (std::uint32_t{input[10]} << 24 | std::uint32_t{input[11]} << 16 |
                         std::uint32_t{input[12]} << 8 | input[13]),
          "the IP is not the bytes at 10..13");
    check(isFieldText(fields->shortName, input.subspan(26, 18)), "the short name is not its field's text");
    check(isFieldText(fields->longName, input.subspan(44, 64)), "the long name is not its field's text");
    check(fields->style == input[200], "the style is not the byte at 200");
    check(std::equal(fields->mac.begin(), fields->mac.end(), input.begin() + 201), "the MAC is not at 201..206");
    check(fields->bindIndex == (input.size() > 211 ? input[211] : 0), "the bind index is not the byte at 211");

    const std::size_t numPorts = static_cast<std::size_t>(input[172] << 8 | input[173]);
    check(fields->outputCount <= std::min<std::size_t>(numPorts, 4), "more outputs than ports");
    const auto top = static_cast<std::uint16_t>((input[18] & 0x7F) << 8 | (input[19] & 0x0F) << 4);
    for (std::size_t i = 0; i < fields->outputs.size(); ++i) {
        const std::uint16_t address = fields->outputs[i];
        if (i < fields->outputCount) {
            check(address <= MaxPortAddress, "an output above 0x7FFF");
            check((address & 0x7FF0) == top, "an output outside the node's Net and Sub-Net");
        } else {
            check(address == 0, "an output past the count");
        }
    }
}

void checkRoundTrip(std::span<const std::uint8_t> input)
{
    std::array<std::uint8_t, 5> head{};
    std::copy_n(input.begin(), std::min(input.size(), head.size()), head.begin());
    const std::uint32_t ip =
        std::uint32_t{head[0]} << 24 | std::uint32_t{head[1]} << 16 | std::uint32_t{head[2]} << 8 | head[3];
    const std::string_view rest =
        input.size() > head.size()
            ? std::string_view(reinterpret_cast<const char*>(input.data()) + head.size(), input.size() - head.size())
            : std::string_view{};
    const std::string_view shortName = rest.substr(0, std::min<std::size_t>(head[4] % 32, rest.size()));
    const std::string_view longName = rest.substr(shortName.size());

    ArtPollReply reply;
    reply.setController(ip, shortName, longName);
    check(reply.bytes().size() == ArtPollReply::Size, "a reply is not 239 bytes");
    const auto fields = parseArtPollReply(reply.bytes());
    check(fields.has_value(), "a built reply did not decode");
    check(fields->ip == ip && fields->style == StyleController && fields->outputCount == 0 && fields->bindIndex == 1,
          "a reply came back changed");
    fuzz::checkNameCut(shortName, fields->shortName.view(), ArtPollReply::ShortNameField - 1);
    fuzz::checkNameCut(longName, fields->longName.view(), ArtPollReply::LongNameField - 1);
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
