// The recovery folder: show copies kept before they are lost and journals
// set aside, newest first, the oldest pruned.
#include "journal/journal_writer.h"
#include "journal/recovery_copies.h"

#include "tests/journal_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velantra {
namespace {

using journal_test::imageOf;
using journal_test::patternImage;

QDateTime at(int minute)
{
    return QDateTime(QDate(2026, 12, 10), QTime(18, minute), Qt::UTC);
}

TEST(RecoveryCopies, RingKeepsTheNewestCopiesNewestFirst)
{
    const QTemporaryDir dir;
    RecoveryCopies copies(dir.filePath(QStringLiteral("recovery")), 3);
    EXPECT_TRUE(copies.list().empty());  // no folder yet
    for (int n = 0; n < 5; ++n) {
        ASSERT_TRUE(copies.keepCopy(imageOf(patternImage(n)), QStringLiteral("Шоу %1.vlt").arg(n), at(n)).ok);
    }
    const std::vector<RecoveryEntry> entries = copies.list();
    ASSERT_EQ(entries.size(), 3U);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int n = 4 - static_cast<int>(i);
        EXPECT_EQ(entries[i].kind, RecoveryEntry::Kind::ShowCopy);
        EXPECT_EQ(entries[i].showName, QStringLiteral("Шоу %1.vlt").arg(n));
        EXPECT_EQ(entries[i].time, at(n));
        QByteArray image;
        ASSERT_TRUE(copies.read(entries[i], image).ok);
        EXPECT_TRUE(image == patternImage(n)) << "copy " << n;
    }
    EXPECT_EQ(QDir(copies.directory()).entryList(QDir::Files).size(), 3);

    // Two copies in the same millisecond are both kept.
    ASSERT_TRUE(copies.keepCopy(imageOf(patternImage(8)), QStringLiteral("a"), at(9)).ok);
    ASSERT_TRUE(copies.keepCopy(imageOf(patternImage(9)), QStringLiteral("b"), at(9)).ok);
    EXPECT_EQ(copies.list().size(), 3U);
    EXPECT_EQ(copies.list()[2].time, at(4));
}

TEST(RecoveryCopies, JournalSetAsideIsListedWithTheCopies)
{
    const QTemporaryDir dir;
    RecoveryCopies copies(dir.filePath(QStringLiteral("recovery")), 2);
    ASSERT_TRUE(copies.keepCopy(imageOf(patternImage(1)), QStringLiteral("old.vlt"), at(1)).ok);
    for (int n = 2; n <= 4; ++n) {
        const QString path = dir.filePath(QStringLiteral("Vela43.vlj"));
        JournalWriter writer;
        ASSERT_TRUE(writer.start(path, imageOf(patternImage(n)), QStringLiteral("Сцена %1.vlt").arg(n)).state.ok);
        writer.close();
        ASSERT_TRUE(copies.setAside(path, at(n)).ok);
        EXPECT_FALSE(QFile::exists(path));
    }
    const std::vector<RecoveryEntry> entries = copies.list();
    ASSERT_EQ(entries.size(), 3U);  // two journals, one copy
    EXPECT_EQ(entries[0].kind, RecoveryEntry::Kind::Journal);
    EXPECT_EQ(entries[0].showName, QStringLiteral("Сцена 4.vlt"));
    EXPECT_EQ(entries[0].time, at(4));
    EXPECT_EQ(entries[1].showName, QStringLiteral("Сцена 3.vlt"));
    EXPECT_EQ(entries[2].kind, RecoveryEntry::Kind::ShowCopy);
    QByteArray image;
    EXPECT_FALSE(copies.read(entries[0], image).ok);
    EXPECT_FALSE(copies.setAside(dir.filePath(QStringLiteral("missing.vlj"))).ok);
}

TEST(RecoveryCopies, DamagedCopyIsNotOffered)
{
    const QTemporaryDir dir;
    RecoveryCopies copies(dir.path());
    ASSERT_TRUE(copies.keepCopy(imageOf(patternImage(1)), QStringLiteral("a.vlt"), at(1)).ok);
    const RecoveryEntry entry = copies.list().at(0);
    QFile file(entry.path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(5000);
    file.write("x");
    file.close();
    EXPECT_TRUE(copies.list().empty());
    QByteArray image;
    const FileResult read = copies.read(entry, image);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message, QStringLiteral("Копия шоу повреждена."));
}

}  // namespace
}  // namespace velantra
