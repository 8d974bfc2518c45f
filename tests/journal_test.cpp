// The edit journal's format: what changes() finds, records written and read
// back byte for byte, and journals cut short, damaged or of another show.
#include "journal/journal_format.h"
#include "journal/journal_reader.h"
#include "journal/shadow_diff.h"

#include "tests/journal_helpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace velantra {
namespace {

using journal_test::imageOf;
using journal_test::patternImage;
using journal_test::randomEdit;

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

TEST(JournalFormat, HeaderAndRecordAreTheBytesWrittenOutByHand)
{
    EXPECT_EQ(crc32("123456789"), 0xCBF43926U);  // the CRC-32 check value

    const JournalHeader header{0x0102030405060708ULL, QDateTime::fromMSecsSinceEpoch(1000, Qt::UTC),
                               QStringLiteral("A")};
    const QByteArray expectedHeader =
        QByteArray("VLJRNL\r\n") +
        bytesOf({2, 0, 1, 0, 8, 7, 6, 5, 4, 3, 2, 1, 0xE8, 3, 0, 0, 0, 0, 0, 0, 'A', 0x1B, 0xA9, 0xBA, 0x27});
    EXPECT_EQ(encodeHeader(header).toHex(' ').toStdString(), expectedHeader.toHex(' ').toStdString());

    QByteArray image(ShowFileSize, '\0');
    image[258] = static_cast<char>(0xAA);
    image[259] = static_cast<char>(0xBB);
    QByteArray record;
    encodeRecord(0, {258, 2}, imageOf(image), record);
    EXPECT_EQ(
        record.toHex(' ').toStdString(),
        bytesOf({0, 0, 0, 0, 2, 1, 0, 0, 2, 0, 0, 0x80, 0xAA, 0xBB, 0x55, 0x39, 0x93, 0x66}).toHex(' ').toStdString());
}

struct DiffCase {
    const char* name;
    std::vector<int> changed;  // cells edited
    std::vector<ByteRange> ranges;
};

class ShadowDiffChanges : public ::testing::TestWithParam<DiffCase> {};

// Cells edited in show memory come back as ranges, runs less than 16 equal
// bytes apart as one; the next compare finds nothing.
TEST_P(ShadowDiffChanges, FindsTheEditedCells)
{
    ShowMemory memory;
    ShadowDiff diff;
    diff.reset(memory);
    for (const int cell : GetParam().changed) {
        memory.set(static_cast<std::size_t>(cell), static_cast<std::uint8_t>(memory.get(cell) + 1));
    }
    memory.set(ShowMemoryTop, 9);  // the spare cell is no part of the image
    EXPECT_EQ(diff.changes(memory).ranges, GetParam().ranges);
    EXPECT_TRUE(diff.changes(memory).ranges.empty());
    EXPECT_EQ(diff.image()[GetParam().changed.empty() ? 0 : GetParam().changed.front()],
              GetParam().changed.empty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Edits, ShadowDiffChanges,
                         ::testing::Values(DiffCase{"Nothing", {}, {}}, DiffCase{"FirstCell", {0}, {{0, 1}}},
                                           DiffCase{"LastCell", {ShowFileSize - 1}, {{ShowFileSize - 1, 1}}},
                                           DiffCase{"Gap15Merges", {100, 116}, {{100, 17}}},
                                           DiffCase{"Gap16Splits", {100, 117}, {{100, 1}, {117, 1}}},
                                           DiffCase{"AcrossBlocks", {63, 64, 65, 130}, {{63, 3}, {130, 1}}},
                                           DiffCase{"SceneAndName",
                                                    {sceneAddress(7) + 5, NameBase},
                                                    {{NameBase, 1}, {sceneAddress(7) + 5, 1}}}),
                         [](const auto& param) { return std::string(param.param.name); });

// A journal of the base and `rounds` random edits, with the edited image.
struct Edited {
    QByteArray base;
    QByteArray image;
    QByteArray journal;
    std::vector<qsizetype> recordStarts;  // where each record begins
};

Edited editedJournal(unsigned seed, int rounds, int maxLength)
{
    Edited e;
    e.base = patternImage(static_cast<int>(seed));
    e.image = e.base;
    e.journal = encodeHeader({imageIdentity(e.base), QDateTime::currentDateTimeUtc(), QStringLiteral("Гала.vlt")});
    std::mt19937 random(seed);
    for (int i = 0; i < rounds; ++i) {
        const ByteRange range = randomEdit(e.image, random, maxLength);
        e.recordStarts.push_back(e.journal.size());
        encodeRecord(static_cast<std::uint32_t>(i), range, imageOf(e.image), e.journal);
    }
    return e;
}

TEST(JournalReplay, RandomEditsReplayToTheEditedImage)
{
    for (const auto& [seed, rounds, maxLength] : {std::tuple{1U, 1, 1}, {2U, 200, 40}, {3U, 20, ShowFileSize}}) {
        const Edited e = editedJournal(seed, rounds, maxLength);
        const JournalContents contents = readJournal(e.journal);
        ASSERT_TRUE(contents.result.ok) << contents.result.message.toStdString();
        EXPECT_EQ(contents.header.showName, QStringLiteral("Гала.vlt"));
        EXPECT_EQ(contents.records.size(), static_cast<std::size_t>(rounds));
        EXPECT_FALSE(contents.tailCut);
        const ReplayResult replayed = replay(e.base, contents);
        ASSERT_TRUE(replayed.result.ok) << replayed.result.message.toStdString();
        EXPECT_TRUE(replayed.image == e.image) << "seed " << seed;
    }
}

// The image after the first `count` records of e.
QByteArray imageAfter(const Edited& e, std::size_t count)
{
    const JournalContents all = readJournal(e.journal);
    JournalContents first = all;
    first.records.resize(count);
    return replay(e.base, first).image;
}

// Cut at every length inside the last record, the journal replays the
// records before it and never a part of the last one.
TEST(JournalReplay, TornLastRecordIsNeverApplied)
{
    const Edited e = editedJournal(4, 3, 30);
    const qsizetype lastStart = e.recordStarts.back();
    const QByteArray beforeLast = imageAfter(e, 2);
    for (qsizetype cut = lastStart; cut < e.journal.size(); ++cut) {
        const JournalContents contents = readJournal(QByteArrayView(e.journal).first(cut));
        ASSERT_TRUE(contents.result.ok);
        EXPECT_EQ(contents.records.size(), 2U) << "cut at " << cut;
        EXPECT_EQ(contents.validSize, lastStart);
        EXPECT_EQ(contents.tailCut, cut > lastStart);
        EXPECT_TRUE(replay(e.base, contents).image == beforeLast) << "cut at " << cut;
    }
}

// A look's changes are applied together or not at all: a cut anywhere in a
// look of three records drops all three (the show between never existed).
TEST(JournalReplay, ALookCutShortIsDroppedWhole)
{
    const QByteArray base = patternImage(2);
    QByteArray image = base;
    QByteArray journal = encodeHeader({imageIdentity(base), QDateTime::currentDateTimeUtc(), QStringLiteral("G")});
    const std::vector<ByteRange> ranges = {{10, 4}, {20000, 30}, {5000, 2}, {70000, 9}};
    std::vector<qsizetype> ends;
    for (std::uint32_t k = 0; k < ranges.size(); ++k) {
        for (int i = ranges[k].offset; i < ranges[k].offset + ranges[k].length; ++i) {
            image[i] = static_cast<char>(~image[i]);
        }
        encodeRecord(k, ranges[k], imageOf(image), journal, k == 0 || k == 3);  // looks: {0}, {1, 2, 3}
        ends.push_back(journal.size());
    }
    EXPECT_TRUE(replay(base, readJournal(journal)).image == image);
    for (qsizetype cut = ends[0]; cut < journal.size(); ++cut) {
        const JournalContents contents = readJournal(QByteArrayView(journal).first(cut));
        EXPECT_EQ(contents.records.size(), 1U) << "cut at " << cut;
        EXPECT_EQ(contents.validSize, ends[0]);
        EXPECT_EQ(contents.tailCut, cut > ends[0]);
    }
}

// A flipped byte anywhere in a record cuts the journal before that record;
// in the header it refuses the journal.
TEST(JournalReplay, FlippedByteCutsAtItsRecord)
{
    const Edited e = editedJournal(5, 4, 12);
    for (qsizetype at = 0; at < e.journal.size(); ++at) {
        QByteArray damaged = e.journal;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x40);
        const JournalContents contents = readJournal(damaged);
        if (at < e.recordStarts.front()) {
            EXPECT_FALSE(contents.result.ok) << "header byte " << at;
            continue;
        }
        const std::size_t damagedRecord = static_cast<std::size_t>(
            std::upper_bound(e.recordStarts.begin(), e.recordStarts.end(), at) - e.recordStarts.begin() - 1);
        EXPECT_EQ(contents.records.size(), damagedRecord) << "byte " << at;
        EXPECT_TRUE(contents.tailCut);
        EXPECT_TRUE(replay(e.base, contents).image == imageAfter(e, damagedRecord)) << "byte " << at;
    }
}

TEST(JournalReplay, JournalOfAnotherShowIsRefused)
{
    const Edited e = editedJournal(6, 5, 10);
    const ReplayResult other = replay(patternImage(7), readJournal(e.journal));
    EXPECT_FALSE(other.result.ok);
    EXPECT_EQ(other.result.message, QStringLiteral("Журнал правок относится к другому состоянию шоу."));
    EXPECT_TRUE(other.image.isEmpty());
    // The saved show changed by one byte is another show too.
    QByteArray touched = e.base;
    touched[ShowFileSize - 1] = static_cast<char>(touched[ShowFileSize - 1] ^ 1);
    EXPECT_FALSE(replay(touched, readJournal(e.journal)).result.ok);
    EXPECT_FALSE(replay(e.base.first(ShowFileSize - 1), readJournal(e.journal)).result.ok);
}

TEST(JournalReplay, ForeignShortOrDamagedHeaderIsRefused)
{
    const QByteArray good = encodeHeader({1, QDateTime::currentDateTimeUtc(), QStringLiteral("show.vlt")});
    QByteArray version1 = good;  // records without the mark of a look's end
    version1[8] = 1;
    QByteArray longName = good;
    longName[11] = 0x7F;  // name length 32,512
    const QString notJournal = QStringLiteral("Это не журнал правок.");
    const QString cut = QStringLiteral("Заголовок журнала правок оборван.");
    const QString damaged = QStringLiteral("Заголовок журнала правок повреждён.");
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"empty", {}, notJournal},
        {"show file", patternImage(1), notJournal},
        {"magic only", good.first(8), cut},
        {"no CRC", good.first(good.size() - 1), cut},
        {"other version", version1, QStringLiteral("Журнал правок записан в неизвестной версии формата.")},
        {"name too long", longName, damaged},
        {"name changed", QByteArray(good).replace("show", "shoe"), damaged},
    };
    for (const auto& c : cases) {
        const JournalContents contents = readJournal(c.bytes);
        EXPECT_FALSE(contents.result.ok) << c.name;
        EXPECT_EQ(contents.result.message, c.message) << c.name;
        EXPECT_TRUE(contents.records.empty()) << c.name;
        EXPECT_FALSE(replay(patternImage(1), contents).result.ok) << c.name;
    }
}

}  // namespace
}  // namespace velantra
