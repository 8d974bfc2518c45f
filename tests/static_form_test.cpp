// The static picture editor as the operator uses it: draw on the fader page,
// store and recall under the keys, erase and undo, close, and the pictures
// lit from the tab "Стат. картины" reaching the output.
#include "programming/fader_page.h"
#include "programming/pictures_tab.h"
#include "programming/sequencer_page.h"
#include "programming/static_form.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <vector>

namespace velantra {
namespace {

class StaticFormTest : public GuiTest {
protected:
    StaticFormTest()
    {
        makeForm(TBaseForm::OutputClock::ByHand);
        faders = form->faderPage();
    }
    Engine& e() { return form->engine(); }
    TStaticForm* openEditor()
    {
        form->findChild<QAction*>(QStringLiteral("ChaserItem"))->trigger();
        return form->staticForm();
    }
    QToolButton* editorButton(const char* name)
    {
        return form->staticForm()->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    // The operator draws channel row (1..27) at level and ticks its "Выбор" box or not.
    void draw(int row, int level, bool selected)
    {
        QScrollBar* bar = faders->fader(row);
        bar->setSliderDown(true);
        bar->setSliderPosition(level);
        bar->setSliderDown(false);
        if (faders->checkBox(row)->isChecked() != selected) {
            faders->checkBox(row)->click();
        }
    }
    std::vector<std::uint8_t> cells(int first, int count)
    {
        std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
        e().memory.copyOut(static_cast<std::size_t>(first), static_cast<std::size_t>(count), out.data());
        return out;
    }
    // Runs the output ticks, by hand, until the frame's slot shows level (at most 5 s of ticks).
    bool frameShows(int slot, int level)
    {
        for (int tick = 0; tick < 100; ++tick) {
            stepOutput();
            if (e().dmxFrame.get(static_cast<std::size_t>(slot)) == level) {
                return true;
            }
        }
        return false;
    }

    FaderPage* faders = nullptr;
};

TEST_F(StaticFormTest, OpeningBorrowsTheSurfaceAndClosingGivesEverythingBack)
{
    for (int c = 1; c <= 255; ++c) {
        e().DataWrite(0, static_cast<std::uint8_t>(c), c);
        e().memory.set(RateBase + c, static_cast<std::uint8_t>(255 - c));
    }
    e().memory.set(SelectBase + 3, 1);
    e().memory.set(CellScene, 5);
    form->ReturnPageControlAll();
    e().shared.playMode = 1;
    const auto scene0 = cells(SceneBase, 256);
    const auto rates = cells(RateBase, 256);
    const auto select = cells(SelectBase, 256);

    TStaticForm* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(e().shared.playMode.load(), 0) << "opening stops the show";
    EXPECT_EQ(e().controls.rateMode.load(), RateMode::Off);
    EXPECT_TRUE(form->sequencerPage()->playButton()->isHidden());
    EXPECT_EQ(e().memory.get(CellScene), 0);
    EXPECT_EQ(cells(SceneBase, 256), std::vector<std::uint8_t>(256, 0));
    EXPECT_FALSE(faders->checkBox(3)->isChecked()) << "the selection starts empty";

    // Drawing, a rate change and a second opening change nothing of what comes back.
    draw(1, 99, true);
    e().memory.set(RateBase + 1, 1);
    openEditor();
    editor->close();

    EXPECT_FALSE(editor->editing());
    EXPECT_EQ(cells(SceneBase, 256), scene0);
    EXPECT_EQ(cells(RateBase, 256), rates);
    EXPECT_EQ(cells(SelectBase, 256), select);
    EXPECT_EQ(e().memory.get(CellScene), 5);
    EXPECT_TRUE(faders->checkBox(3)->isChecked());
    EXPECT_FALSE(form->sequencerPage()->playButton()->isHidden());
    EXPECT_EQ(e().shared.playMode.load(), 0) << "the show stays stopped";
    EXPECT_EQ(e().controls.rateMode.load(), RateMode::Off);
}

TEST_F(StaticFormTest, StoredPictureLightsOnlyItsSelectedChannelsOverTheScene)
{
    e().DataWrite(0, 1, 40);
    e().DataWrite(0, 2, 40);
    TStaticForm* editor = openEditor();
    draw(1, 200, false);  // drawn but not selected: stored, never output
    draw(2, 100, true);
    editor->saveButton(9)->click();  // "Z"
    EXPECT_TRUE(editor->saveButton(9)->isChecked());
    EXPECT_EQ(e().memory.get(pictureAddress(9) + 256 + 1), 200);
    EXPECT_EQ(cells(pictureAddress(9) + 1, 2), (std::vector<std::uint8_t>{0, 1})) << "membership flags";

    // Recall then store under another key copies the picture.
    editor->readButton(9)->click();
    EXPECT_FALSE(editor->saveButton(9)->isChecked());
    EXPECT_EQ(faders->fader(1)->value(), 0) << "a non-member channel recalls as 0";
    EXPECT_EQ(faders->fader(2)->value(), 100);
    editor->saveButton(0)->click();  // "1"
    EXPECT_FALSE(editor->readButton(9)->isChecked());
    EXPECT_EQ(cells(pictureAddress(0) + 1, 2), (std::vector<std::uint8_t>{0, 1}));
    EXPECT_EQ(e().memory.get(pictureAddress(0) + 256 + 2), 100);
    editor->close();

    ASSERT_TRUE(frameShows(2, 40));
    form->picturesTab()->picture(9)->setChecked(true);
    EXPECT_TRUE(frameShows(2, 100));
    EXPECT_EQ(e().dmxFrame.get(1), 40);

    // Manual faders lie over pictures.
    faders->checkBox(2)->click();
    form->findChild<QCheckBox*>(QStringLiteral("CheckBoxManual"))->setChecked(true);
    draw(2, 7, true);
    EXPECT_TRUE(frameShows(2, 7));
}

TEST_F(StaticFormTest, StoringWithNothingSelectedLightsNothing)
{
    e().DataWrite(0, 4, 33);
    TStaticForm* editor = openEditor();
    draw(4, 250, false);
    editor->saveButton(15)->click();
    editor->close();
    form->picturesTab()->picture(15)->setChecked(true);
    stepOutput(3);
    EXPECT_EQ(e().dmxFrame.get(4), 33);
    EXPECT_EQ(e().memory.get(pictureAddress(15) + 256 + 4), 250);
}

TEST_F(StaticFormTest, SceneBarCopiesTheNextSceneAndTheLastPositionKeepsTheSurface)
{
    e().DataWrite(1, 6, 61);
    e().DataWrite(7, 6, 67);
    TStaticForm* editor = openEditor();
    auto* bar = editor->findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    auto* label = editor->findChild<QLabel*>(QStringLiteral("Label1"));
    draw(3, 1, true);
    bar->setValue(0);
    EXPECT_EQ(label->text(), QStringLiteral("1"));
    EXPECT_EQ(faders->fader(6)->value(), 61);
    EXPECT_FALSE(faders->checkBox(3)->isChecked()) << "copying clears the selection";
    bar->setValue(6);
    EXPECT_EQ(faders->fader(6)->value(), 67);
    bar->setValue(255);
    EXPECT_EQ(label->text(), QStringLiteral("256"));
    EXPECT_EQ(faders->fader(6)->value(), 67) << "scene 0 is the surface itself";
}

TEST_F(StaticFormTest, EraseAllAndUndoBringBackPicturesSurfaceAndSelection)
{
    TStaticForm* editor = openEditor();
    draw(5, 150, true);
    editor->saveButton(3)->click();
    draw(6, 20, true);
    const auto before = cells(0, ShowMemorySize);
    QToolButton* undo = editorButton("SpeedButtonUndoSt");
    EXPECT_FALSE(undo->isEnabled());

    answerBox(QMessageBox::No);
    editorButton("SpeedButtonDelAll")->click();
    EXPECT_EQ(cells(0, ShowMemorySize), before) << "No changes nothing";

    answerBox(QMessageBox::Yes);
    editorButton("SpeedButtonDelAll")->click();
    ASSERT_EQ(boxTexts.size(), 2);
    EXPECT_EQ(boxTexts[1], QStringLiteral("Удалить все Статические картинки?"));
    EXPECT_EQ(cells(PictureBase, 8192), std::vector<std::uint8_t>(8192, 0));
    EXPECT_EQ(faders->fader(5)->value(), 0);
    EXPECT_FALSE(faders->checkBox(6)->isChecked());
    EXPECT_FALSE(editor->saveButton(3)->isChecked());

    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Вернуть"));
    auto* mainUndo = form->findChild<QToolButton*>(QStringLiteral("SpeedButtonUndo1"));
    const bool mainUndoBefore = mainUndo->isEnabled();
    form->TimerStatusTimer();
    undo->click();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(cells(0, ShowMemorySize), before);
    EXPECT_FALSE(form->statusPanel()->text().contains(QStringLiteral("данные возвращены")))
        << "the editor's undo only does its own three steps";
    EXPECT_EQ(mainUndo->isEnabled(), mainUndoBefore);
    EXPECT_TRUE(faders->checkBox(6)->isChecked());
    EXPECT_EQ(faders->fader(5)->value(), 150);

    answerBox(QMessageBox::Yes);
    editorButton("SpeedButtonDel1")->click();
    EXPECT_EQ(boxTexts.last(), QStringLiteral("Удалить статическую картинку?"));
    EXPECT_EQ(cells(SceneBase, 256), std::vector<std::uint8_t>(256, 0));
    EXPECT_EQ(e().memory.get(pictureAddress(3) + 5), 1) << "erasing the surface keeps the pictures";
    EXPECT_EQ(unexpected, 0);
}

TEST_F(StaticFormTest, HiddenPlayButtonCannotStartTheShow)
{
    openEditor();
    form->sequencerPage()->ModePlay();
    EXPECT_EQ(e().shared.playMode.load(), 0);
}

TEST_F(StaticFormTest, SavingWhileEditingWritesTheShowsOwnSceneZero)
{
    e().DataWrite(0, 1, 11);
    e().memory.set(CellScene, 2);
    TStaticForm* editor = openEditor();
    draw(1, 222, true);
    editor->saveButton(1)->click();
    const QString file = path(QStringLiteral("show.vlt"));
    answerFile(file);
    form->findChild<QAction*>(QStringLiteral("SaveAsItem"))->trigger();
    EXPECT_TRUE(editor->editing()) << "saving leaves the editor open";
    EXPECT_EQ(e().DataRead(0, 1), 222);

    ShowMemory saved;
    ASSERT_TRUE(readShowFile(file, saved).ok);
    EXPECT_EQ(saved.get(SceneBase + 1), 11);
    EXPECT_EQ(saved.get(CellScene), 2);
    EXPECT_EQ(saved.get(SelectBase + 1), 0);
    EXPECT_EQ(saved.get(pictureAddress(1) + 256 + 1), 222) << "the stored picture is in the file";
}

TEST_F(StaticFormTest, NewShowClosesTheEditorFirst)
{
    e().DataWrite(0, 1, 11);
    TStaticForm* editor = openEditor();
    draw(1, 222, true);
    answerBox(QMessageBox::Yes);
    cancelFile();
    form->findChild<QAction*>(QStringLiteral("NewItem"))->trigger();
    EXPECT_FALSE(editor->editing());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(e().DataRead(0, 1), 0);
    EXPECT_EQ(e().memory.get(SelectBase + 1), 0);
}

}  // namespace
}  // namespace velantra
