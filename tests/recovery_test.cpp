// What a journal left by a crash gives back: replayed on the show it was
// begun on wherever that show is found, offered only when it differs from
// the show in memory, and never applied to another show.
#include "journal/recovery.h"
#include "journal/recovery_copies.h"

#include "tests/journal_helpers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace velantra {
namespace {

using journal_test::imageOf;
using journal_test::patternImage;
using journal_test::randomEdit;

enum class BaseAt { OwnFile, Autosave, NewShow, RecoveryCopy, Nowhere };

struct RecoveryCase {
    const char* name;
    BaseAt base;
    bool memoryHasTheEdits;  // the show in memory already equals what the journal gives back
    bool damagedHeader;
    JournalRecovery::State state;
};

class JournalLeft : public ::testing::TestWithParam<RecoveryCase> {};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST_P(JournalLeft, GivesBackTheEditsOnlyOnTheShowItWasBegunOn)
{
    const RecoveryCase& c = GetParam();
    QTemporaryDir dir;
    const QString own = dir.filePath(QStringLiteral("Gala.vlt"));
    const QString autosave = dir.filePath(QStringLiteral("autosave.vlt"));
    const QString journalPath = dir.filePath(QStringLiteral("Vela43.vlj"));
    RecoveryCopies copies(dir.filePath(QStringLiteral("recovery")));

    const QByteArray base = patternImage(3);
    const QByteArray other = patternImage(4);
    const QByteArray newShow = c.base == BaseAt::NewShow ? base : patternImage(5);
    writeFile(own, c.base == BaseAt::OwnFile ? base : other);
    writeFile(autosave, c.base == BaseAt::Autosave ? base : other);
    if (c.base == BaseAt::RecoveryCopy) {
        ASSERT_TRUE(copies.keepCopy(imageOf(base), QStringLiteral("Old.vlt")).ok);
    }

    QByteArray edited = base;
    std::mt19937 random(11);
    QByteArray journal = encodeHeader({imageIdentity(base), QDateTime::currentDateTimeUtc(), own});
    for (std::uint32_t k = 0; k < 6; ++k) {
        const ByteRange range = randomEdit(edited, random, 200);
        encodeRecord(k, range, imageOf(edited), journal);
    }
    if (c.damagedHeader) {
        journal[12] = static_cast<char>(journal[12] ^ 0x40);
    }
    journal.append("\x06\x00\x00\x00torn", 8);  // a record cut short by the crash
    writeFile(journalPath, journal);

    const JournalRecovery found =
        examineJournal(journalPath, baseCandidates({autosave}, newShow, copies), c.memoryHasTheEdits ? edited : other);
    EXPECT_EQ(found.state, c.state);
    if (c.state == JournalRecovery::State::Offered) {
        EXPECT_TRUE(found.image == edited) << "every whole record, byte for byte, and nothing of the torn one";
        EXPECT_TRUE(found.tailCut);
        EXPECT_EQ(found.records, 6);
        EXPECT_EQ(found.header.showName, own);
    } else {
        EXPECT_TRUE(found.image.isEmpty()) << "nothing to apply";
    }
    if (c.state == JournalRecovery::State::Refused) {
        EXPECT_FALSE(found.message.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, JournalLeft,
    ::testing::Values(RecoveryCase{"OwnFile", BaseAt::OwnFile, false, false, JournalRecovery::State::Offered},
                      RecoveryCase{"Autosave", BaseAt::Autosave, false, false, JournalRecovery::State::Offered},
                      RecoveryCase{"NewShow", BaseAt::NewShow, false, false, JournalRecovery::State::Offered},
                      RecoveryCase{"RecoveryCopy", BaseAt::RecoveryCopy, false, false, JournalRecovery::State::Offered},
                      RecoveryCase{"AnotherShow", BaseAt::Nowhere, false, false, JournalRecovery::State::Foreign},
                      RecoveryCase{"AlreadyInMemory", BaseAt::OwnFile, true, false, JournalRecovery::State::Nothing},
                      RecoveryCase{"DamagedHeader", BaseAt::OwnFile, false, true, JournalRecovery::State::Refused}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace velantra
