// Fuzzes the reader of what a DMX USB Pro widget sends back, and the two
// reply decoders behind it.
//
// - Any bytes, cut anywhere into two pieces: the messages found are the ones
//   the whole input gives in one piece; each one's data is at most MaxData
//   bytes and is the input's bytes between a start byte, its label and
//   length, and an end byte right after the data. At the end nothing more
//   comes (resync): nothing is left held.
// - Every message found, encoded again, is the same bytes.
// - The decoders take any data without reading past it; a serial number
//   decoded is at most 99,999,999.
#include "link/pro_widget.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace {

using namespace velantra::pro;
using velantra::fuzz::check;

struct Found {
    std::uint8_t label;
    std::vector<std::uint8_t> data;
    friend bool operator==(const Found&, const Found&) = default;
};

std::vector<Found> readPieces(std::span<const std::uint8_t> input, std::size_t cut)
{
    ReplyReader reader;
    std::vector<Found> found;
    const auto collect = [&](std::uint8_t label, std::span<const std::uint8_t> data) {
        found.push_back({label, std::vector<std::uint8_t>(data.begin(), data.end())});
    };
    reader.feed(input.first(cut), collect);
    reader.feed(input.subspan(cut), collect);
    reader.resync(collect);
    check(!reader.holding(), "bytes held after the reader was told nothing more comes");
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    const std::vector<Found> whole = readPieces(input, 0);
    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    check(readPieces(input, cut) == whole, "cutting the replies changed what was found");
    std::array<std::uint8_t, MaxMessage> out{};
    for (const Found& f : whole) {
        check(f.data.size() <= MaxData, "a message longer than any reply");
        const std::size_t length = encode(f.label, f.data, out);
        check(length == f.data.size() + 5, "a message found does not encode again");
        const auto at = std::search(input.begin(), input.end(), out.begin(), out.begin() + static_cast<long>(length));
        check(at != input.end(), "a message found is not in the input as it encodes");
        if (const auto serial = parseSerial(f.data)) {
            check(*serial <= 99999999u, "a serial number beyond eight digits");
        }
        if (const auto parameters = parseParameters(f.data)) {
            check(f.data.size() >= 5 && parameters->rate == f.data[4], "parameters not from their bytes");
        }
    }
    return 0;
}
