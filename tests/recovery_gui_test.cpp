// The operator's ways back: edits of a run killed between saves come back at
// the next start on "Yes", stay in the Show menu's recovery list on "No", and
// a show dropped by a new show or a cancelled save at close is kept there too.
#include "journal/edit_journal.h"
#include "tests/gui_fixture.h"

#include <QAction>
#include <QInputDialog>

namespace velantra {
namespace {

class Recovery : public GuiTest {
protected:
    // A named show with edits journaled but not saved, then the program
    // killed, the picture editor open when pictures is set (it borrows scene 0
    // and the rates, which the show keeps as they were).
    QByteArray editAndCrash(bool pictures = false)
    {
        TBaseForm& f = makeForm(TBaseForm::OutputClock::ByHand);
        answerFile(path(QStringLiteral("Gala.vlt")));
        f.findChild<QAction*>(QStringLiteral("SaveAsItem"))->trigger();
        for (int channel = 1; channel <= 40; ++channel) {
            f.engine().DataWrite(3, static_cast<std::uint8_t>(channel), channel * 5);
        }
        for (int channel = 0; channel <= 255; ++channel) {
            f.engine().DataWrite(0, static_cast<std::uint8_t>(channel), 200);
        }
        f.engine().memory.set(CellTempo, 90);
        const QByteArray edited = image();
        if (pictures) {
            f.ChaserItemClick();
        }
        f.core().journal()->step(true);  // what the journal's timer does within the second
        form.reset();                    // killed: no close, no save
        return edited;
    }
    QByteArray image() const
    {
        QByteArray bytes(ShowFileSize, '\0');
        for (int i = 0; i < ShowFileSize; ++i) {
            bytes[i] = static_cast<char>(form->engine().memory.get(i));
        }
        return bytes;
    }
    // Opens the recovery list and chooses the first entry whose text holds kind.
    void recoverNewest(const QString& kind)
    {
        answers.push_back([this, kind](QDialog& d) {
            auto* list = qobject_cast<QInputDialog*>(&d);
            if (list == nullptr) {
                return int(QDialog::Rejected);
            }
            listed = list->comboBoxItems();
            for (const QString& item : listed) {
                if (item.contains(kind)) {
                    list->setTextValue(item);
                    return int(QDialog::Accepted);
                }
            }
            return int(QDialog::Rejected);
        });
        form->findChild<QAction*>(QStringLiteral("RecoverShowItem"))->trigger();
    }
    QStringList listed;
};

TEST_F(Recovery, YesAtTheNextStartBringsBackEveryEditUnderTheShowsName)
{
    const QByteArray edited = editAndCrash(true);
    answerBox(QMessageBox::Yes);
    TBaseForm& f = makeForm(TBaseForm::OutputClock::ByHand);
    ASSERT_EQ(boxTexts.size(), 1);
    EXPECT_TRUE(boxTexts[0].contains(QStringLiteral("Gala.vlt"))) << boxTexts[0].toStdString();
    EXPECT_TRUE(image() == edited) << "the show as edited, byte for byte";
    EXPECT_EQ(f.windowTitle(), f.captionPrefix() + path(QStringLiteral("Gala.vlt")));
    EXPECT_EQ(unexpected, 0);

    // Saved now: a clean end leaves nothing to offer at the next start.
    f.findChild<QAction*>(QStringLiteral("SaveItem"))->trigger();
    answerFile(path(QStringLiteral("Gala.vlt")));
    closeForm();
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("Vela43.vlj"))));
    makeForm(TBaseForm::OutputClock::ByHand);
    EXPECT_EQ(boxTexts.size(), 1) << "no question after a clean end";
    EXPECT_TRUE(image() == edited);
}

TEST_F(Recovery, NoLeavesTheJournalInTheRecoveryListAndDroppedShowsAreKeptThere)
{
    const QByteArray edited = editAndCrash();
    answerBox(QMessageBox::No);
    TBaseForm& f = makeForm(TBaseForm::OutputClock::ByHand);
    const QByteArray atStart = image();
    EXPECT_FALSE(atStart == edited);

    recoverNewest(QStringLiteral("журнал правок"));
    EXPECT_TRUE(image() == edited) << "the journal set aside, replayed on its show";

    // A new show whose save is cancelled: the show as it was is the newest copy.
    answerBox(QMessageBox::Yes);
    cancelFile();
    f.findChild<QAction*>(QStringLiteral("NewItem"))->trigger();
    EXPECT_FALSE(image() == edited);
    recoverNewest(QStringLiteral("копия шоу"));
    EXPECT_TRUE(listed.first().contains(QStringLiteral("копия шоу"))) << "newest first";
    EXPECT_TRUE(image() == edited);

    // A close whose save is cancelled keeps it as well, after another edit.
    f.engine().DataWrite(7, 1, 255);
    const QByteArray lastEdit = image();
    cancelFile();
    closeForm();
    makeForm(TBaseForm::OutputClock::ByHand);
    EXPECT_EQ(boxTexts.size(), 2) << "a clean end: no question at the next start";
    recoverNewest(QStringLiteral("копия шоу"));
    EXPECT_TRUE(image() == lastEdit);
    EXPECT_EQ(unexpected, 0);
}

}  // namespace
}  // namespace velantra
