// Writing the edit journal as an operator edits: flushes, a save that starts
// a new journal, a full disk, and a journal file removed or changed under
// the writer.
#include "journal/journal_reader.h"
#include "journal/journal_writer.h"
#include "journal/shadow_diff.h"

#include "tests/file_size_limit.h"
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

QByteArray readRaw(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An operator's session: the show in memory, the diff and the writer, wired
// as the window wires them.
class Session {
public:
    explicit Session(const QString& path)
        : base_(patternImage(3))
        , random_(11)
    {
        memory_.copyIn(0, ShowFileSize, imageOf(base_).data());
        diff_.reset(imageOf(base_));
        started_ = writer_.start(path, imageOf(base_), QStringLiteral("Концерт.vlt"));
    }

    // Random edits in show memory, journaled as the GUI thread's timer does.
    void edit(int count, int maxLength)
    {
        QByteArray image = current();
        for (int i = 0; i < count; ++i) {
            randomEdit(image, random_, maxLength);
        }
        memory_.copyIn(0, ShowFileSize, imageOf(image).data());
        writer_.append(diff_.changes(memory_));
    }

    void changeEveryByte()
    {
        QByteArray image = current();
        for (char& byte : image) {
            byte = static_cast<char>(byte + 1);
        }
        memory_.copyIn(0, ShowFileSize, imageOf(image).data());
        writer_.append(diff_.changes(memory_));
    }

    QByteArray current() const
    {
        QByteArray image(ShowFileSize, '\0');
        memory_.copyOut(0, ShowFileSize, reinterpret_cast<std::uint8_t*>(image.data()));
        return image;
    }

    // The image a recovery from the file on disk would give, or empty.
    QByteArray recovered() const { return replay(base_, readJournalFile(writer_.path())).image; }

    JournalWriter& writer() { return writer_; }
    const JournalFlush& started() const { return started_; }
    const QByteArray& base() const { return base_; }
    void saved() { base_ = current(); }

private:
    QByteArray base_;
    std::mt19937 random_;
    ShowMemory memory_;
    ShadowDiff diff_;
    JournalWriter writer_;
    JournalFlush started_;
};

TEST(JournalWriter, EditsFlushedAreRecoveredAndASaveStartsAnew)
{
    const QTemporaryDir dir;
    Session session(dir.filePath(QStringLiteral("Vela43.vlj")));
    ASSERT_TRUE(session.started().state.ok);
    EXPECT_TRUE(session.recovered() == session.base());  // nothing edited yet

    for (int second = 0; second < 10; ++second) {
        session.edit(3, 50);
        const JournalFlush flushed = session.writer().flush();
        EXPECT_TRUE(flushed.state.ok);
        EXPECT_TRUE(flushed.notice.isEmpty());
        EXPECT_TRUE(session.recovered() == session.current()) << "second " << second;
    }
    session.edit(2, 10);  // not flushed: the file still holds the flushed state
    EXPECT_FALSE(session.recovered() == session.current());

    // The show is saved: the journal starts over for the saved image and the
    // old base no longer takes it.
    const QByteArray oldBase = session.base();
    session.saved();
    ASSERT_TRUE(session.writer().restart(imageOf(session.base())).state.ok);
    const JournalContents contents = readJournalFile(session.writer().path());
    EXPECT_TRUE(contents.records.empty());
    EXPECT_EQ(contents.header.showName, QStringLiteral("Концерт.vlt"));
    EXPECT_TRUE(session.recovered() == session.current());
    EXPECT_FALSE(replay(oldBase, contents).result.ok);

    EXPECT_TRUE(session.writer().remove());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Vela43.vlj"))));
}

// A full disk: the journal says so once, keeps its edits, damages nothing on
// disk and catches up when there is room again.
TEST(JournalWriter, FullDiskIsSaidOnceAndLosesNothing)
{
    const QTemporaryDir dir;
    Session session(dir.filePath(QStringLiteral("Vela43.vlj")));
    session.edit(5, 20);
    ASSERT_TRUE(session.writer().flush().state.ok);
    const QByteArray onDisk = readRaw(session.writer().path());
    const QByteArray flushedImage = session.current();
    {
        // Room for part of a record, never a whole one (at least 17 bytes).
        const FileSizeLimit limit(static_cast<rlim_t>(onDisk.size() + 10));
        ASSERT_TRUE(limit.active());
        session.edit(4, 30);
        const JournalFlush first = session.writer().flush();
        EXPECT_FALSE(first.state.ok);
        EXPECT_EQ(first.notice, QStringLiteral("Журнал правок не записывается: Disk full"));
        // Every byte changed 14 times: more than fits, and more than the
        // MaxPending bytes of records kept in memory.
        for (int i = 0; i < 14; ++i) {
            session.changeEveryByte();
            const JournalFlush again = session.writer().flush();
            EXPECT_FALSE(again.state.ok);
            EXPECT_TRUE(again.notice.isEmpty()) << "said again on flush " << i;
            EXPECT_LE(session.writer().pendingBytes(), JournalWriter::MaxPending);
        }
        const QByteArray meanwhile = readRaw(session.writer().path());
        EXPECT_TRUE(meanwhile.startsWith(onDisk));
        EXPECT_TRUE(session.recovered() == flushedImage);  // a torn record at the end is cut
    }
    const JournalFlush back = session.writer().flush();
    EXPECT_TRUE(back.state.ok);
    EXPECT_EQ(back.notice, QStringLiteral("Журнал правок снова записывается."));
    EXPECT_TRUE(session.recovered() == session.current());
}

// The same, with a failure that leaves a record cut in the middle on disk:
// the next write goes on exactly after it.
TEST(JournalWriter, WriteCutShortGoesOnAfterTheBytesThatLanded)
{
    const QTemporaryDir dir;
    Session session(dir.filePath(QStringLiteral("Vela43.vlj")));
    const qint64 headerSize = readRaw(session.writer().path()).size();
    for (const int room : {1, 7, 13}) {  // less than the shortest record, 17 bytes
        {
            const FileSizeLimit limit(static_cast<rlim_t>(readRaw(session.writer().path()).size() + room));
            session.edit(1, 200);
            EXPECT_FALSE(session.writer().flush().state.ok) << "room " << room;
        }
        const JournalFlush back = session.writer().flush();
        EXPECT_TRUE(back.state.ok) << "room " << room;
        const JournalContents contents = readJournalFile(session.writer().path());
        EXPECT_FALSE(contents.tailCut) << "room " << room;
        EXPECT_TRUE(session.recovered() == session.current()) << "room " << room;
    }
    EXPECT_GT(readRaw(session.writer().path()).size(), headerSize);
}

enum class Tamper { Removed, Truncated, Replaced };

class JournalTampered : public ::testing::TestWithParam<Tamper> {};

// Someone removes, shortens or replaces the journal file: the next flush
// writes the whole journal anew, without troubling the operator.
TEST_P(JournalTampered, NextFlushWritesItAnew)
{
    const QTemporaryDir dir;
    Session session(dir.filePath(QStringLiteral("Vela43.vlj")));
    session.edit(6, 40);
    ASSERT_TRUE(session.writer().flush().state.ok);
    const QString path = session.writer().path();
    switch (GetParam()) {
    case Tamper::Removed:
        ASSERT_TRUE(QFile::remove(path));
        break;
    case Tamper::Truncated:
        ASSERT_TRUE(QFile::resize(path, 30));
        break;
    case Tamper::Replaced: {
        ASSERT_TRUE(QFile::remove(path));
        QFile other(path);
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("not a journal");
        break;
    }
    }
    session.edit(2, 40);
    const JournalFlush flushed = session.writer().flush();
    EXPECT_TRUE(flushed.state.ok);
    EXPECT_TRUE(flushed.notice.isEmpty());
    EXPECT_TRUE(session.recovered() == session.current());
}

INSTANTIATE_TEST_SUITE_P(Files, JournalTampered,
                         ::testing::Values(Tamper::Removed, Tamper::Truncated, Tamper::Replaced));

TEST(JournalWriter, JournalThatCannotBeStartedSaysSoAndStartsLater)
{
    const QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("later"));
    Session session(folder + QStringLiteral("/Vela43.vlj"));
    EXPECT_FALSE(session.started().state.ok);
    EXPECT_EQ(session.started().notice, QStringLiteral("Журнал правок не записывается: File not found"));
    session.edit(3, 20);
    EXPECT_TRUE(session.writer().flush().notice.isEmpty());
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(session.writer().flush().state.ok);
    EXPECT_TRUE(session.recovered() == session.current());
}

}  // namespace
}  // namespace velantra
