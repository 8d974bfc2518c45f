// Fuzzes the interface's wire format with a decoder of its own: the program
// only ever encodes, so the decoder lives here.
//
// - Round trip: the input's first 513 bytes (zeros after a shorter input) are
//   a frame; its message decodes back to the same frame, is exactly
//   519 bytes plus one for every slot at 255, and the encoder writes nothing
//   past that length nor into a buffer too small for the longest message.
// - Any bytes: decoding never reads past the input (AddressSanitizer watches
//   the input's own allocation), and whatever decodes is a message the
//   encoder writes byte for byte, so the format has one spelling per frame.
#include "link/wire_encoder.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace velantra {
namespace {

using Frame = std::array<std::uint8_t, WireSlots>;

constexpr std::uint8_t Escape = 0xFF;
constexpr std::uint8_t Start = 0xF0;
constexpr std::uint8_t Full = 0xF7;  // after Escape: a slot at 255
constexpr std::array<std::uint8_t, 4> End{0xFF, 0xF1, 0xFF, 0xFF};

// Decodes the message at the start of bytes[0..size) into slots. Returns the
// message's length, or 0 when the bytes do not start with one whole message;
// slots is then not to be used. Bytes after the message are not looked at.
std::size_t decodeWireFrame(const std::uint8_t* bytes, std::size_t size, Frame& slots)
{
    std::size_t at = 0;
    if (size < 2 || bytes[0] != Escape || bytes[1] != Start) {
        return 0;
    }
    at = 2;
    for (std::uint8_t& slot : slots) {
        if (at >= size) {
            return 0;
        }
        const std::uint8_t b = bytes[at++];
        if (b != Escape) {
            slot = b;
            continue;
        }
        if (at >= size || bytes[at] != Full) {
            return 0;
        }
        ++at;
        slot = 0xFF;
    }
    if (size - at < End.size() || !std::equal(End.begin(), End.end(), bytes + at)) {
        return 0;
    }
    return at + End.size();
}

std::size_t expectedLength(const Frame& frame)
{
    return static_cast<std::size_t>(WireMessageMin) +
           static_cast<std::size_t>(std::count(frame.begin(), frame.end(), std::uint8_t{0xFF}));
}

constexpr std::uint8_t Canary = 0xA5;

void checkRoundTrip(const std::uint8_t* data, std::size_t size)
{
    Frame frame{};
    std::copy_n(data, std::min(size, frame.size()), frame.begin());

    // Heap buffers of exact size: a write past them is an AddressSanitizer report.
    const auto room = static_cast<std::size_t>(WireMessageMax);
    const auto small = std::make_unique<std::uint8_t[]>(room - 1);
    std::memset(small.get(), Canary, room - 1);
    fuzz::check(encodeWireFrame(frame.data(), small.get(), room - 1) == 0, "the encoder took a buffer too small");
    fuzz::check(std::all_of(small.get(), small.get() + room - 1, [](std::uint8_t b) { return b == Canary; }),
                "the encoder wrote into a buffer too small");

    const auto out = std::make_unique<std::uint8_t[]>(room);
    std::memset(out.get(), Canary, room);
    const int written = encodeWireFrame(frame.data(), out.get(), room);
    fuzz::check(written > 0, "the encoder refused a buffer of the longest message");
    const auto length = static_cast<std::size_t>(written);
    fuzz::check(length == expectedLength(frame), "the message is not 519 bytes plus one per slot at 255");
    fuzz::check(std::all_of(out.get() + length, out.get() + room, [](std::uint8_t b) { return b == Canary; }),
                "the encoder wrote past the message it reported");

    // Decode from a copy of exactly the message's length.
    const auto message = std::make_unique<std::uint8_t[]>(length);
    std::memcpy(message.get(), out.get(), length);
    Frame decoded{};
    fuzz::check(decodeWireFrame(message.get(), length, decoded) == length, "a message did not decode whole");
    fuzz::check(decoded == frame, "the decoded frame differs from the one encoded");
    Frame cut{};
    fuzz::check(decodeWireFrame(message.get(), length - 1, cut) == 0, "a message without its last byte decoded");
}

void checkAnyBytes(const std::uint8_t* data, std::size_t size)
{
    Frame decoded{};
    const std::size_t length = decodeWireFrame(data, size, decoded);
    if (length == 0) {
        return;
    }
    fuzz::check(length <= size, "the decoder reported more bytes than it was given");
    std::array<std::uint8_t, WireMessageMax> out{};
    const int written = encodeWireFrame(decoded.data(), out.data(), out.size());
    fuzz::check(written > 0 && static_cast<std::size_t>(written) == length,
                "a decoded message and its encoding differ in length");
    fuzz::check(std::memcmp(out.data(), data, length) == 0, "a decoded message and its encoding differ");
}

}  // namespace
}  // namespace velantra

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velantra::checkRoundTrip(data, size);
    velantra::checkAnyBytes(data, size);
    return 0;
}
