// Patch files: the little-endian image, refused files that change no entry,
// and sources that would send the output past its copy of the frame; the
// further universes' file, refused whole when damaged, and the tick that
// builds those universes.
#include "storage/patch_file.h"
#include "storage/universes_file.h"
#include "tests/cycle_fixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cctype>
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

// ---------------------------------------------------------------------------
// The further universes: their file, and the tick that builds them.

// A further-universes document as the writer writes it (compact): universe
// 2 with slots 1..48 from channels 1..48 and slot 512 from 255.
QByteArray universesDocument()
{
    QJsonArray slotList;
    for (int slot = 1; slot <= 512; ++slot) {
        slotList.append(slot <= 48 ? slot : slot == 512 ? 255 : 0);
    }
    const QJsonObject root{{"format", "velantra-universes"},
                           {"version", 1},
                           {"universes", QJsonArray{QJsonObject{{"slots", slotList}, {"universe", 2}}}}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

class UniversesFileTest : public PatchFileTest {};

TEST_F(UniversesFileTest, WrittenAndReadBackAndBuiltByTheTickFromTheChannelsBeforeThePatch)
{
    writeRaw("u.json", universesDocument());
    ASSERT_TRUE(readUniversesFile(path("u.json"), e->furtherPatch).ok);
    EXPECT_EQ(e->furtherPatch.used(), 1);
    EXPECT_EQ(e->furtherPatch.source(0, 48), 48);
    EXPECT_EQ(e->furtherPatch.source(0, 512), 255);

    // Written again, it reads back the same.
    e->furtherPatch.setSource(2, 10, 7);  // universe 4: 3 and 4 sent, 3 empty
    ASSERT_TRUE(writeUniversesFile(path("again.json"), e->furtherPatch).ok);
    FurtherPatch back;
    ASSERT_TRUE(readUniversesFile(path("again.json"), back).ok);
    EXPECT_EQ(back.used(), 3);
    EXPECT_EQ(back.source(2, 10), 7);
    EXPECT_EQ(back.source(0, 1), 1);

    // The tick: the patch of universe 1 reverses the slots, the further
    // universes read the channels as they are before it, blackout included.
    for (int k = 1; k <= 255; ++k) {
        table.set(k, static_cast<std::uint16_t>(256 - k));
    }
    setMode(RateMode::Off);
    setScene(0, 1, 11);
    setScene(0, 48, 99);
    setScene(0, 255, 200);
    setScene(0, 7, 70);
    struct Seen : FrameOutput {
        void write(FrameView frame) override { first.assign(frame.begin(), frame.end()); }
        void writeFurther(std::span<const FrameSlotsArray> further) override
        {
            universes.assign(further.begin(), further.end());
        }
        std::vector<std::uint8_t> first;
        std::vector<FrameSlotsArray> universes;
    } seen;
    ASSERT_TRUE(cycle.addOutput(&seen));
    tick();
    ASSERT_EQ(seen.universes.size(), 3U);
    EXPECT_EQ(seen.first[255], 11) << "universe 1 is patched";
    EXPECT_EQ(seen.universes[0][1], 11);
    EXPECT_EQ(seen.universes[0][48], 99);
    EXPECT_EQ(seen.universes[0][512], 200);
    EXPECT_EQ(seen.universes[0][49], 0) << "an unpatched slot is dark";
    EXPECT_EQ(seen.universes[1], FrameSlotsArray{}) << "an empty universe below a used one is sent dark";
    EXPECT_EQ(seen.universes[2][10], 70);
    e->controls.blackOut = true;
    tick();
    EXPECT_EQ(seen.universes[0][48], 0) << "blackout reaches every universe";
    for (int slot = 1; slot <= 512; ++slot) {
        e->furtherPatch.setSource(2, slot, 0);
    }
    e->furtherPatch.setSource(0, 1, 0);
    EXPECT_EQ(e->furtherPatch.used(), 1) << "universe 2 keeps slots 2..48";
    tick();
    EXPECT_EQ(seen.universes.size(), 1U);
}

// A damaged file: the document with one text replaced, or other bytes.
struct UniversesDamage {
    const char* what;
    const char* from;
    const char* to;
};

class RefusedUniversesTest : public UniversesFileTest, public ::testing::WithParamInterface<UniversesDamage> {};

TEST_P(RefusedUniversesTest, AreRefusedWholeAndChangeNothing)
{
    e->furtherPatch.setSource(1, 5, 42);
    QByteArray bytes = universesDocument();
    ASSERT_TRUE(bytes.contains(GetParam().from)) << GetParam().what;
    writeRaw("bad.json", bytes.replace(GetParam().from, GetParam().to));
    const FileResult read = readUniversesFile(path("bad.json"), e->furtherPatch);
    EXPECT_FALSE(read.ok) << GetParam().what;
    EXPECT_FALSE(read.message.isEmpty());
    EXPECT_EQ(e->furtherPatch.source(1, 5), 42) << GetParam().what;
    EXPECT_EQ(e->furtherPatch.source(0, 1), 0) << GetParam().what;
    EXPECT_EQ(e->furtherPatch.used(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedUniversesTest,
    ::testing::Values(UniversesDamage{"cut short", "0,0,255]", "0,0,2"}, UniversesDamage{"not JSON", "{", "\x01\x02"},
                      UniversesDamage{"foreign format", "velantra-universes", "something-else"},
                      UniversesDamage{"later version", "\"version\":1", "\"version\":2"},
                      UniversesDamage{"universe 5", "\"universe\":2", "\"universe\":5"},
                      UniversesDamage{"universe twice", "\"universe\":2}", "\"universe\":2},{\"universe\":2}"},
                      UniversesDamage{"511 slots", "0,0,255]", "0,255]"},
                      UniversesDamage{"channel 256", "[1,2,3,", "[1,2,256,"},
                      UniversesDamage{"channel 1.5", "[1,2,3,", "[1,2,1.5,"},
                      UniversesDamage{"channel as text", "[1,2,3,", "[1,2,\"3\","}),
    [](const auto& row) {
        std::string name;
        for (const char c : std::string(row.param.what)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

}  // namespace
}  // namespace velantra
