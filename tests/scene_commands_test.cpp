// Scene commands of the main window: the menu, the page buttons, the
// clipboard and the four undo pairs working together.
#include "programming/sequencer_page.h"
#include "tests/gui_fixture.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

namespace velantra {
namespace {

class SceneCommandsTest : public GuiTest {
protected:
    SceneCommandsTest() { makeForm(); }
    Engine& e() { return form->engine(); }
    void run(const char* action) { form->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }
    QToolButton* button(const char* name) { return form->findChild<QToolButton*>(QString::fromLatin1(name)); }
};

TEST_F(SceneCommandsTest, InsertAndPasteThenUndoKeepsTheInsertedScene)
{
    e().DataWrite(0, 1, 11);
    e().DataWrite(1, 1, 22);
    run("CopyToBufferItem");  // scene 0 to the clipboard
    EXPECT_TRUE(form->findChild<QAction*>(QStringLiteral("NewPasteItem"))->isEnabled());
    EXPECT_EQ(form->sequencerPage()->editButton("ButtonScenaPaste")->toolTip(),
              QStringLiteral("Заменить текущую сцену Сценой 1 из буфера"));
    e().memory.set(CellScene, 1);
    run("NewPasteItem");
    EXPECT_EQ(e().memory.get(CellScene), 2);
    EXPECT_EQ(e().DataRead(2, 1), 11);
    EXPECT_EQ(e().memory.get(CellLastScene), 2);
    for (const char* name : {"SpeedButtonUndo1", "SpeedButtonUndo3", "SpeedButtonUndo4", "SpeedButtonUndo5"}) {
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    }
    button("SpeedButtonUndo5")->click();
    EXPECT_EQ(e().DataRead(2, 1), 22) << "the inserted scene stays, as a copy of its predecessor";
    EXPECT_EQ(e().memory.get(CellLastScene), 2);
    EXPECT_FALSE(button("SpeedButtonUndo1")->isEnabled());
    EXPECT_TRUE(form->statusPanel()->text().contains(QStringLiteral(" данные возвращены ")));
}

TEST_F(SceneCommandsTest, EditingIsRefusedWhilePlayingAndNewShowDisablesUndo)
{
    e().DataWrite(0, 5, 50);
    form->sequencerPage()->ModePlay();
    run("ClearScenaItem");
    run("InsertScenaItem");
    EXPECT_EQ(e().DataRead(0, 5), 50);
    EXPECT_EQ(e().memory.get(CellLastScene), 1);
    form->sequencerPage()->ModeStop();
    run("ClearScenaItem");
    EXPECT_EQ(e().DataRead(0, 5), 0);
    EXPECT_TRUE(button("SpeedButtonUndo1")->isEnabled());
    e().ClearAll();
    EXPECT_FALSE(button("SpeedButtonUndo1")->isEnabled());
}

TEST_F(SceneCommandsTest, StepBarOnePastTheEndAppendsACopyWhenAutoAppendIsOn)
{
    e().DataWrite(1, 3, 33);
    run("AvtoDobScenaItem");
    ASSERT_TRUE(form->findChild<QAction*>(QStringLiteral("AvtoDobScenaItem"))->isChecked());
    form->sequencerPage()->stepBar()->setValue(2);
    EXPECT_EQ(e().memory.get(CellScene), 2);
    EXPECT_EQ(e().memory.get(CellLastScene), 2);
    EXPECT_EQ(e().DataRead(2, 3), 33);
    EXPECT_EQ(form->sequencerPage()->stepBar()->maximum(), 3);
}

}  // namespace
}  // namespace velantra
