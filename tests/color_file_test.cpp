// Colour files: the tables at their offsets, zeros between them, and refused
// files that change no table.
#include "storage/color_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velantra {
namespace {

// Every table holds a pattern of its own, so a table read from the wrong
// offset or into the wrong table shows.
ChannelTables patterned()
{
    ChannelTables t;
    for (std::size_t c = 0; c < 512; ++c) {
        t.nameRed[c] = std::uint8_t(c);
        t.nameGreen[c] = std::uint8_t(c + 1);
        t.nameBlue[c] = std::uint8_t(c + 2);
        t.borderRed[c] = std::uint8_t(c * 3);
        t.borderGreen[c] = std::uint8_t(c * 5);
        t.borderBlue[c] = std::uint8_t(c * 7);
        t.gobo[c] = std::uint8_t(255 - c);
    }
    return t;
}

bool sameTables(const ChannelTables& a, const ChannelTables& b)
{
    return a.nameRed == b.nameRed && a.nameGreen == b.nameGreen && a.nameBlue == b.nameBlue &&
           a.borderRed == b.borderRed && a.borderGreen == b.borderGreen && a.borderBlue == b.borderBlue &&
           a.gobo == b.gobo;
}

class ColorFileTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("Vela43.col")); }
    QByteArray bytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(ColorFileTest, TablesLieAtTheirOffsetsWithZerosBetween)
{
    ASSERT_TRUE(writeColorFile(path(), patterned()).ok);
    const QByteArray image = bytes();
    ASSERT_EQ(image.size(), 16384);
    auto at = [&](int offset) { return std::uint8_t(image[offset]); };
    EXPECT_EQ(at(0 + 7), 7);           // name red, channel 7
    EXPECT_EQ(at(512 + 7), 8);         // name green
    EXPECT_EQ(at(1024 + 7), 9);        // name blue
    EXPECT_EQ(at(2048 + 7), 21);       // border red
    EXPECT_EQ(at(2560 + 7), 35);       // border green
    EXPECT_EQ(at(3072 + 7), 49);       // border blue
    EXPECT_EQ(at(3584 + 7), 255 - 7);  // gobo
    EXPECT_EQ(image.mid(1536, 512), QByteArray(512, '\0'));
    EXPECT_EQ(image.mid(4096), QByteArray(12288, '\0'));

    ChannelTables read;
    ASSERT_TRUE(readColorFile(path(), read).ok);
    EXPECT_TRUE(sameTables(read, patterned()));
}

TEST_F(ColorFileTest, UnusedBytesAreIgnoredOnReading)
{
    ASSERT_TRUE(writeColorFile(path(), patterned()).ok);
    QByteArray image = bytes();
    image.replace(1536, 512, QByteArray(512, 'x'));
    image.replace(4096, 12288, QByteArray(12288, 'y'));
    image.append("tail");
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(image);
    file.close();

    ChannelTables read;
    ASSERT_TRUE(readColorFile(path(), read).ok);
    EXPECT_TRUE(sameTables(read, patterned()));
}

TEST_F(ColorFileTest, ShortOrMissingFileChangesNoTable)
{
    ASSERT_TRUE(writeColorFile(path(), patterned()).ok);
    const QByteArray full = bytes();
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(full.left(16383));
    file.close();

    ChannelTables kept;
    kept.gobo.fill(42);
    const ChannelTables before = kept;
    EXPECT_FALSE(readColorFile(path(), kept).ok);
    EXPECT_FALSE(readColorFile(dir.filePath(QStringLiteral("none.col")), kept).ok);
    EXPECT_TRUE(sameTables(kept, before));
}

}  // namespace
}  // namespace velantra
