// Fuzzes the MIDI byte-stream parser, with the encoder as its counterpart,
// and the surface's scaling behind it.
//
// - Any bytes, cut anywhere into two pieces: the messages are the ones the
//   whole input gives in one piece (the parser keeps its state between the
//   pieces of a port); every message's fields are in range; each takes at
//   least two data bytes of the input.
// - Each message encoded and parsed again by a fresh parser is the same
//   message, and its three bytes are a status and two data bytes.
// - Each message's value scaled to a range taken from the input lands in
//   that range and scales back to a value of the message's kind.
#include "midi/midi_message.h"
#include "midi/midi_surface.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velantra::midi {
namespace {

using fuzz::check;

std::vector<Message> parsePieces(std::span<const std::uint8_t> input, std::size_t cut)
{
    Parser parser;
    std::vector<Message> out;
    const auto collect = [&](const Message& m) { out.push_back(m); };
    parser.feed(input.first(cut), collect);
    parser.feed(input.subspan(cut), collect);
    return out;
}

void checkMessage(const Message& m, int low, int high)
{
    check(m.channel <= 15, "a channel above 16");
    check(m.kind == Kind::PitchBend ? m.number == 0 : m.number <= 127, "a number out of range");
    check(m.value <= maxValue(m.kind), "a value out of range");
    const std::vector<std::uint8_t> bytes = encode(m);
    check(bytes.size() == 3 && (bytes[0] & 0x80) != 0 && (bytes[1] & 0x80) == 0 && (bytes[2] & 0x80) == 0,
          "an encoded message is not a status and two data bytes");
    std::vector<Message> again;
    Parser fresh;
    fresh.feed(bytes, [&](const Message& back) { again.push_back(back); });
    check(again.size() == 1 && again[0] == m, "a message came back changed");

    const Range range{low, high};
    const int program = toProgram(m.value, m.kind, range);
    check(program >= low && program <= high, "a value scaled out of its target's range");
    check(toPhysical(program, m.kind, range) <= maxValue(m.kind), "a value scaled back out of range");
}

}  // namespace
}  // namespace velantra::midi

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velantra::midi;
    const std::span<const std::uint8_t> input(data, size);
    const std::vector<Message> whole = parsePieces(input, 0);
    velantra::fuzz::check(whole.size() * 2 <= size, "a message from fewer than two data bytes");
    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    velantra::fuzz::check(parsePieces(input, cut) == whole, "cutting the stream changed its messages");
    const int low = size > 1 ? data[1] - 128 : 0;
    const int high = low + (size > 2 ? data[2] : 255);
    for (const Message& m : whole) {
        checkMessage(m, low, high);
    }
    return 0;
}
