// Patch files: the little-endian image, refused files that change no entry,
// and sources that would send the output past its copy of the frame.
#include "storage/patch_file.h"
#include "tests/cycle_fixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace velantra {
namespace {

// A file image written out by hand: low byte first.
QByteArray words(const std::vector<int>& values)
{
    QByteArray bytes;
    for (int v : values) {
        bytes.append(static_cast<char>(v & 0xFF)).append(static_cast<char>(v >> 8));
    }
    return bytes;
}

// Entry k's source is 255 - k: no entry is its own.
std::vector<int> reversed()
{
    std::vector<int> values;
    for (int k = 0; k < 256; ++k) {
        values.push_back(255 - k);
    }
    return values;
}

class PatchFileTest : public CycleTest {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void writeRaw(const char* name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    std::vector<int> entries() const
    {
        std::vector<int> values;
        for (int k = 0; k < CoderEntries; ++k) {
            values.push_back(table.get(k));
        }
        return values;
    }

    QTemporaryDir dir;
    AtomicArray<std::uint16_t, CoderEntries>& table = e->coderTable;
};

TEST_F(PatchFileTest, SaveWritesWords0To255AndOpenReadsTheFirst512Bytes)
{
    std::vector<int> values = reversed();
    values[7] = 0x1234;  // stored as it stands
    for (int k = 0; k < 256; ++k) {
        table.set(k, values[k]);
    }
    ASSERT_TRUE(writePatchFile(path("a.vdx"), table).ok);
    QFile written(path("a.vdx"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), words(values));

    e->resetPatch();
    table.set(256, 9);
    writeRaw("long.vdx", words(reversed()) + QByteArray(100, '\x01'));
    int replaced = -1;
    ASSERT_TRUE(readPatchFile(path("long.vdx"), table, &replaced).ok);
    for (int k = 0; k < 256; ++k) {
        ASSERT_EQ(table.get(k), 255 - k) << "entry " << k;
    }
    EXPECT_EQ(table.get(256), 9);
    EXPECT_EQ(table.get(512), 512);
    EXPECT_EQ(replaced, 0);
}

TEST_F(PatchFileTest, SourceAbove255BecomesTheEntrysOwnSlot)
{
    std::vector<int> values = reversed();
    values[10] = 300;
    values[11] = 0x0100;
    writeRaw("bad.vdx", words(values));
    int replaced = 0;
    ASSERT_TRUE(readPatchFile(path("bad.vdx"), table, &replaced).ok);
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(table.get(10), 10);
    EXPECT_EQ(table.get(11), 11);

    setMode(RateMode::Off);
    setScene(0, 10, 77);
    setScene(0, 243, 55);
    tick();
    EXPECT_EQ(slot(10), 77);
    EXPECT_EQ(slot(12), 55);  // entry 12 := 243 from the same file
}

class RefusedPatchTest : public PatchFileTest, public ::testing::WithParamInterface<int> {};

TEST_P(RefusedPatchTest, ShortOrMissingFileChangesNoEntry)
{
    if (GetParam() >= 0) {
        writeRaw("p.vdx", words(reversed()).left(GetParam()));
    }
    table.set(0, 42);
    const std::vector<int> before = entries();
    int replaced = -1;
    const FileResult result = readPatchFile(path("p.vdx"), table, &replaced);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toStdString(), GetParam() < 0 ? "File not found" : "Read beyond end of file");
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(replaced, 0);
}

// File size in bytes; -1: no file.
INSTANTIATE_TEST_SUITE_P(PatchFile, RefusedPatchTest, ::testing::Values(-1, 0, 2, 511));

}  // namespace
}  // namespace velantra
