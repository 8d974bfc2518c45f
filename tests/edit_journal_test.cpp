// The journal at work over a show in memory: edits made between saves are
// replayed from the file onto the show as last saved, a save starts a new
// journal, and a clean end removes it.
#include "journal/edit_journal.h"
#include "journal/journal_reader.h"
#include "tests/journal_helpers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace velantra {
namespace {

using journal_test::imageOf;
using journal_test::patternImage;
using journal_test::randomEdit;

void load(ShowMemory& memory, const QByteArray& image)
{
    for (int i = 0; i < ShowFileSize; ++i) {
        memory.set(i, static_cast<std::uint8_t>(image[i]));
    }
}

TEST(EditJournal, EditsBetweenSavesReplayOntoTheLastSaveAndACleanEndLeavesNoJournal)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vela43.vlj"));
    auto memory = std::make_unique<ShowMemory>();
    QByteArray shown = patternImage(1);
    load(*memory, shown);
    EditJournal journal(*memory, path);
    journal.begin(imageOf(shown), QStringLiteral("Gala.vlt"));

    const QByteArray opened = shown;
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        randomEdit(shown, random, 300);
        load(*memory, shown);
        journal.step(round % 5 == 4);  // written at every fifth look, as the flush falls due
    }
    journal.step(true);  // a signal: written at once
    JournalContents read = readJournalFile(path);
    ASSERT_TRUE(read.result.ok) << read.result.message.toStdString();
    EXPECT_EQ(read.header.showName, QStringLiteral("Gala.vlt"));
    ReplayResult recovered = replay(opened, read);
    ASSERT_TRUE(recovered.result.ok);
    EXPECT_EQ(recovered.image, shown) << "every edit since the open, byte for byte";

    journal.saved(imageOf(shown));  // the save holds them now
    const QByteArray saved = shown;
    randomEdit(shown, random, 40);
    load(*memory, shown);
    journal.step(true);
    read = readJournalFile(path);
    EXPECT_FALSE(replay(opened, read).result.ok) << "the journal now belongs to the saved show";
    recovered = replay(saved, read);
    ASSERT_TRUE(recovered.result.ok);
    EXPECT_EQ(recovered.image, shown);

    journal.finish();
    EXPECT_TRUE(QFile::exists(path)) << "an end with edits the last save lacks keeps the journal";
    EditJournal again(*memory, path);
    again.begin(imageOf(shown), QStringLiteral("Gala.vlt"));
    again.finish();
    EXPECT_FALSE(QFile::exists(path)) << "an end with the show saved removes it";
}

}  // namespace
}  // namespace velantra
