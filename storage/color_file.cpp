#include "storage/color_file.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cstdint>

namespace velantra {

namespace {

using Table = ChannelTables::Table;

// Where each table lies in the file.
struct Placement {
    qsizetype offset;
    Table ChannelTables::*table;
};

constexpr std::array<Placement, 7> Layout{{
    {0, &ChannelTables::nameRed},
    {512, &ChannelTables::nameGreen},
    {1024, &ChannelTables::nameBlue},
    {2048, &ChannelTables::borderRed},
    {2560, &ChannelTables::borderGreen},
    {3072, &ChannelTables::borderBlue},
    {3584, &ChannelTables::gobo},
}};

}  // namespace

FileResult readColorFile(const QString& path, ChannelTables& tables)
{
    QByteArray image;
    if (FileResult read = readFilePrefix(path, ColorFileSize, image); !read.ok) {
        return read;
    }
    for (const Placement& p : Layout) {
        const auto* from = reinterpret_cast<const std::uint8_t*>(image.constData() + p.offset);
        std::copy_n(from, (tables.*p.table).size(), (tables.*p.table).begin());
    }
    return {};
}

FileResult writeColorFile(const QString& path, const ChannelTables& tables)
{
    QByteArray image(ColorFileSize, '\0');
    for (const Placement& p : Layout) {
        const Table& table = tables.*p.table;
        std::copy(table.begin(), table.end(), reinterpret_cast<std::uint8_t*>(image.data() + p.offset));
    }
    return replaceFile(path, image);
}

}  // namespace velantra
