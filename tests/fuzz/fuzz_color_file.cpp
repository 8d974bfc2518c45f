// Fuzzes opening a colour file. The input is the file. A refused file must
// leave all seven tables as they were; an accepted one is exactly the files of
// at least 16,384 bytes, and each table then holds the 512 bytes at its place
// in the file.
#include "storage/channel_tables.h"
#include "storage/color_file.h"
#include "tests/fuzz/scratch_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velantra {
namespace {

using Table = std::array<std::uint8_t, 512>;

// Where the file keeps each table, written out here rather than taken from
// the reader: 1536..2047 and 4096..16383 belong to no table.
struct Place {
    std::size_t offset;
    Table ChannelTables::*table;
    const char* what;
};
constexpr std::array<Place, 7> Places{{
    {0, &ChannelTables::nameRed, "name red differs from bytes 0..511"},
    {512, &ChannelTables::nameGreen, "name green differs from bytes 512..1023"},
    {1024, &ChannelTables::nameBlue, "name blue differs from bytes 1024..1535"},
    {2048, &ChannelTables::borderRed, "border red differs from bytes 2048..2559"},
    {2560, &ChannelTables::borderGreen, "border green differs from bytes 2560..3071"},
    {3072, &ChannelTables::borderBlue, "border blue differs from bytes 3072..3583"},
    {3584, &ChannelTables::gobo, "gobo differs from bytes 3584..4095"},
}};

// Tables before each read: every table and channel holds a value of its own.
ChannelTables patterned()
{
    ChannelTables t;
    std::uint8_t seed = 1;
    for (const Place& p : Places) {
        Table& table = t.*p.table;
        for (std::size_t c = 0; c < table.size(); ++c) {
            table[c] = static_cast<std::uint8_t>(c * seed + seed * 29);
        }
        seed = static_cast<std::uint8_t>(seed + 2);
    }
    return t;
}

bool sameTables(const ChannelTables& a, const ChannelTables& b)
{
    return std::all_of(Places.begin(), Places.end(), [&](const Place& p) { return a.*p.table == b.*p.table; });
}

struct State {
    State()
        : file("color")
        , pattern(patterned())
        , tables(pattern)
    {}

    fuzz::ScratchFile file;
    const ChannelTables pattern;
    ChannelTables tables;
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
        fuzz::check(!readColorFile(path, s.tables).ok, "an unreadable colour path was accepted");
        fuzz::check(sameTables(s.tables, s.pattern), "an unreadable colour path changed a table");
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

    const FileResult result = readColorFile(s.file.path(), s.tables);
    const bool whole = size >= static_cast<std::size_t>(ColorFileSize);
    if (!result.ok) {
        fuzz::check(!whole, "a colour file of full size was refused");
        fuzz::check(!result.message.isEmpty(), "a refused colour file has no message");
        fuzz::check(sameTables(s.tables, s.pattern), "a refused colour file changed a table");
        return 0;
    }
    fuzz::check(whole, "a short colour file was accepted");
    for (const Place& p : Places) {
        const Table& table = s.tables.*p.table;
        fuzz::check(std::memcmp(table.data(), data + p.offset, table.size()) == 0, p.what);
    }
    s.tables = s.pattern;
    return 0;
}
