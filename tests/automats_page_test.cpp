// The automats page: its bars, buttons and switches, driven as the operator
// does, with the step timers ticked by hand.
#include "channels/channel_names.h"
#include "desk/player.h"
#include "effects/automats_page.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace velantra {
namespace {

class AutomatsPageTest : public ::testing::TestWithParam<int> {
protected:
    // Control "prefix n suffix" of automat a (0 or 1).
    template <typename T> T* of(const char* prefix, const char* suffix = "", int a = GetParam())
    {
        const QString name = QString::fromLatin1(prefix) + QString::number(a + 1) + QString::fromLatin1(suffix);
        T* w = std::is_same_v<T, QTimer> ? player.findChild<T*>(name) : page.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const char* prefix, const char* suffix = "") { return of<QLabel>(prefix, suffix)->text(); }
    QColor colour(const char* prefix, const char* suffix = "")
    {
        return of<QFrame>(prefix, suffix)->palette().color(QPalette::Window);
    }
    void tick() { GetParam() == 0 ? page.TimerTempAvtomat1Timer() : page.TimerTempAvtomat2Timer(); }
    // Settings cell of this automat, named by automat 1's cell.
    int cell(int automat1Cell) const { return e->memory.get(automat1Cell + 5 * GetParam()); }
    void setCell(int automat1Cell, int v) { e->memory.set(automat1Cell + 5 * GetParam(), v); }
    int active() const { return e->automats[GetParam()].active; }

    std::unique_ptr<Engine> e = std::make_unique<Engine>();
    Player player{*e};
    AutomatsPage page{player};
};

TEST_P(AutomatsPageTest, RunningAloneTheFirstTickStepsToProgramOne)
{
    setCell(CellAvt1Bright, 210);
    setCell(CellAvt1Dark, 20);
    EXPECT_TRUE(of<QTimer>("TimerTempAvtomat")->isActive());
    EXPECT_EQ(of<QTimer>("TimerTempAvtomat")->interval(), 1000);
    const QColor beat = colour("ShapeAvtomat");

    of<QCheckBox>("CheckBoxAvtomat")->setChecked(true);
    tick();
    EXPECT_EQ(text("LabelStepAvtomat"), QStringLiteral("Step = 2"));
    EXPECT_EQ(active(), 1);
    EXPECT_EQ(e->automats[1 - GetParam()].active, 0);
    EXPECT_EQ(colour("ShapeAvt", "Seq1"), QColor(20, 20, 20));
    EXPECT_EQ(colour("ShapeAvt", "Seq2"), QColor(210, 210, 210));
    EXPECT_EQ(colour("ShapeAvt", "Seq4"), QColor(20, 20, 20));
    EXPECT_NE(colour("ShapeAvtomat"), beat);
    tick();
    EXPECT_EQ(colour("ShapeAvtomat"), beat);
}

TEST_P(AutomatsPageTest, WithTheSequencerStepsOnlyWhileItPlaysAndNeverInBlackout)
{
    of<QCheckBox>("CheckBoxTogethe")->setChecked(true);
    tick();
    EXPECT_EQ(active(), 0);
    EXPECT_EQ(text("LabelStepAvtomat"), QStringLiteral("Step = 1"));
    e->shared.playMode = 1;
    tick();
    EXPECT_EQ(active(), 1);
    e->controls.blackOut = true;
    tick();
    EXPECT_EQ(active(), 0);
}

TEST_P(AutomatsPageTest, SpeedBarSetsTheTimerAndTheFlashRate)
{
    auto* speed = of<QScrollBar>("ScrollBarTempAvtomat");
    speed->setValue(5);
    EXPECT_EQ(cell(CellAvt1Tempo), 5);
    EXPECT_EQ(of<QTimer>("TimerTempAvtomat")->interval(), 25);
    EXPECT_EQ(text("LabelTempAvtomat"), QStringLiteral("2400 Flash/мин "));
    speed->setValue(50);
    EXPECT_EQ(of<QTimer>("TimerTempAvtomat")->interval(), 2500);
    EXPECT_EQ(text("LabelTempAvtomat"), QStringLiteral("24 Flash/мин "));
}

TEST_P(AutomatsPageTest, ChannelBarMovesTheFourSlotsAndTheirLabels)
{
    SaveEdit(e->memory, 251, QStringLiteral("Пушка"));
    of<QScrollBar>("ScrollBarChannelAvtomat")->setValue(250);
    EXPECT_EQ(cell(CellAvt1Channel), 250);
    EXPECT_EQ(e->automats[GetParam()].first, 250);
    EXPECT_EQ(text("LabelSeq", "Ch"), QStringLiteral(" Каналы 251  252  253  254"));
    EXPECT_EQ(text("LabelSeq", "ChName"), QStringLiteral(" Начиная от - Пушка           "));
}

TEST_P(AutomatsPageTest, LevelBarsHaveFullAtTheTopAndProgramButtonsStoreTheirNumber)
{
    auto* bright = of<QScrollBar>("ScrollBarBrightAvtomat");
    bright->setValue(0);
    of<QScrollBar>("ScrollBarDarkAvtomat")->setValue(255);
    EXPECT_EQ(cell(CellAvt1Bright), 255);
    EXPECT_EQ(cell(CellAvt1Dark), 0);
    bright->setValue(100);
    QTest::keyClick(bright, Qt::Key_Up);  // pushing up raises the level
    EXPECT_EQ(cell(CellAvt1Bright), 156);

    QTest::mouseClick(of<QToolButton>("SpeedButtonAvto", "Mode4"), Qt::LeftButton);
    EXPECT_EQ(cell(CellAvt1Program), 4);
}

TEST_P(AutomatsPageTest, RefreshPressesTheStoredProgramOfItsOwnAutomatOnly)
{
    setCell(CellAvt1Program, 3);
    setCell(CellAvt1Bright, 255);
    page.refresh();
    EXPECT_TRUE(of<QToolButton>("SpeedButtonAvto", "Mode3")->isChecked());
    EXPECT_TRUE(of<QToolButton>("SpeedButtonAvto", "Mode1", 1 - GetParam())->isChecked());
    GetParam() == 0 ? page.JobAvtomat1() : page.JobAvtomat2();  // step 1 of program 3: D D B B
    EXPECT_EQ(e->automats[GetParam()].levels[1], 0);
    EXPECT_EQ(e->automats[GetParam()].levels[2], 255);
}

TEST_P(AutomatsPageTest, RefreshWritesBackWhatTheBarsCannotShow)
{
    setCell(CellAvt1Channel, 255);
    setCell(CellAvt1Tempo, 0);
    page.refresh();
    EXPECT_EQ(cell(CellAvt1Channel), 250);
    EXPECT_EQ(e->automats[GetParam()].first, 250);
    EXPECT_EQ(text("LabelSeq", "Ch"), QStringLiteral(" Каналы 251  252  253  254"));
    EXPECT_EQ(cell(CellAvt1Tempo), 5);
    EXPECT_EQ(of<QTimer>("TimerTempAvtomat")->interval(), 25);
}

INSTANTIATE_TEST_SUITE_P(Automats, AutomatsPageTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace velantra
