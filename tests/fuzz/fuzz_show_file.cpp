// Fuzzes opening a show file. The input is the file. A refused file must leave
// every cell of show memory as it was; an accepted one is exactly the files of
// at least 81,920 bytes, and its first 81,920 bytes become cells 0..81919
// while cell 81920 keeps its value.
#include "engine/show_memory.h"
#include "storage/show_file.h"
#include "tests/fuzz/scratch_file.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace velantra {
namespace {

// Cell i of the memory before each read: neighbouring cells and blocks differ.
std::uint8_t patternCell(std::size_t i)
{
    return static_cast<std::uint8_t>(i * 13 + i / 128 + 5);
}

struct State {
    State()
        : file("show")
        , pattern(ShowMemorySize)
        , cells(ShowMemorySize)
    {
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            pattern[i] = patternCell(i);
        }
        restore();
    }
    void restore() { memory.copyIn(0, ShowMemorySize, pattern.data()); }
    void readCells() { memory.copyOut(0, ShowMemorySize, cells.data()); }

    fuzz::ScratchFile file;
    ShowMemory memory;
    std::vector<std::uint8_t> pattern;
    std::vector<std::uint8_t> cells;
};

State& state()
{
    static State s;
    return s;
}

// A path that names nothing or a directory is refused without a change too.
void checkUnreadablePaths()
{
    State& s = state();
    for (const QString& path : fuzz::unreadablePaths(s.file)) {
        fuzz::check(!readShowFile(path, s.memory).ok, "an unreadable show path was accepted");
        s.readCells();
        fuzz::check(s.cells == s.pattern, "an unreadable show path changed show memory");
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

    const FileResult result = readShowFile(s.file.path(), s.memory);
    s.readCells();
    const bool whole = size >= static_cast<std::size_t>(ShowFileSize);
    if (!result.ok) {
        fuzz::check(!whole, "a show file of full size was refused");
        fuzz::check(!result.message.isEmpty(), "a refused show file has no message");
        fuzz::check(s.cells == s.pattern, "a refused show file changed show memory");
        return 0;
    }
    fuzz::check(whole, "a short show file was accepted");
    fuzz::check(std::memcmp(s.cells.data(), data, ShowFileSize) == 0, "cells 0..81919 differ from the file");
    fuzz::check(s.cells[ShowMemoryTop] == s.pattern[ShowMemoryTop], "opening a show changed cell 81920");
    s.restore();
    return 0;
}
