// Fuzzes opening a patch file. The input is the file. A refused file must leave
// all 513 entries as they were; an accepted one is exactly the files of at
// least 512 bytes: entry k becomes little-endian word k when it is 0..255 and
// k otherwise, the count of such replacements is reported, and entries
// 256..512 keep their values.
#include "engine/atomic_array.h"
#include "engine/engine.h"
#include "storage/patch_file.h"
#include "tests/fuzz/scratch_file.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace velantra {
namespace {

using Table = AtomicArray<std::uint16_t, CoderEntries>;
using Entries = std::array<std::uint16_t, CoderEntries>;

// Entry k before each read: values in and out of 0..255, none its own index.
std::uint16_t patternEntry(std::size_t k)
{
    return static_cast<std::uint16_t>((k * 37 + 11) % 700);
}

struct State {
    State()
        : file("patch")
    {
        for (std::size_t k = 0; k < pattern.size(); ++k) {
            pattern[k] = patternEntry(k);
        }
        restore(counted);
        restore(uncounted);
    }
    void restore(Table& table) const { table.copyIn(0, CoderEntries, pattern.data()); }
    static Entries entries(const Table& table)
    {
        Entries out{};
        table.copyOut(0, CoderEntries, out.data());
        return out;
    }

    fuzz::ScratchFile file;
    Entries pattern{};
    Table counted;    // read with a replacement count
    Table uncounted;  // read without one
};

State& state()
{
    static State s;
    return s;
}

void checkUnreadablePaths()
{
    State& s = state();
    for (const QString& path : fuzz::unreadablePaths(s.file)) {
        int replaced = -1;
        fuzz::check(!readPatchFile(path, s.counted, &replaced).ok, "an unreadable patch path was accepted");
        fuzz::check(State::entries(s.counted) == s.pattern, "an unreadable patch path changed the patch");
    }
}

}  // namespace
}  // namespace velantra

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    velantra::checkUnreadablePaths();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velantra;
    State& s = state();
    s.file.write(data, size);

    int replaced = -1;
    const FileResult counted = readPatchFile(s.file.path(), s.counted, &replaced);
    const FileResult uncounted = readPatchFile(s.file.path(), s.uncounted);
    const Entries got = State::entries(s.counted);
    const bool whole = size >= static_cast<std::size_t>(PatchFileSize);

    fuzz::check(counted.ok == uncounted.ok, "the replacement count changed whether a patch file opens");
    fuzz::check(got == State::entries(s.uncounted), "the replacement count changed the patch read");
    if (!counted.ok) {
        fuzz::check(!whole, "a patch file of full size was refused");
        fuzz::check(!counted.message.isEmpty(), "a refused patch file has no message");
        fuzz::check(got == s.pattern, "a refused patch file changed the patch");
        return 0;
    }
    fuzz::check(whole, "a short patch file was accepted");

    int expectedReplaced = 0;
    for (std::size_t k = 0; k < PatchFileWords; ++k) {
        const auto word = static_cast<std::uint16_t>(data[2 * k] | (data[2 * k + 1] << 8));
        const bool inRange = word <= 255;
        expectedReplaced += inRange ? 0 : 1;
        fuzz::check(got[k] == (inRange ? word : k), "an entry differs from its word in the file");
    }
    fuzz::check(replaced == expectedReplaced, "wrong count of replaced entries");
    for (std::size_t k = PatchFileWords; k < CoderEntries; ++k) {
        fuzz::check(got[k] == s.pattern[k], "opening a patch changed an entry above 255");
    }
    s.restore(s.counted);
    s.restore(s.uncounted);
    return 0;
}
