// The hand scan pad as the operator uses it: press and drag on the field, the
// two captions, the ticked channels and the current scene follow; the three
// switches turn the axes; "Приоритет" puts the levels on the output.
#include "effects/hand_scan_form.h"
#include "programming/fader_page.h"
#include "tests/gui_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <ostream>
#include <string>

namespace velantra {
namespace {

class HandScanTest : public GuiTest {
protected:
    Engine& e() { return form->engine(); }
    QWidget* pad() { return hand.findChild<QWidget*>(QStringLiteral("ShapeXY")); }
    QWidget* marker() { return hand.findChild<QWidget*>(QStringLiteral("ShapeCentr")); }
    QCheckBox* box(const char* name) { return hand.findChild<QCheckBox*>(QString::fromLatin1(name)); }
    std::string caption(const char* name) { return box(name)->text().toStdString(); }

    // Mouse events straight to the pad (QTest takes the point (0, 0) for the centre).
    void mouse(QEvent::Type type, int column, int row, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF at(column, row);
        QMouseEvent event(type, at, pad()->mapToGlobal(at), button, buttons, {});
        QApplication::sendEvent(pad(), &event);
    }
    void press(int column, int row) { mouse(QEvent::MouseButtonPress, column, row, Qt::LeftButton, Qt::LeftButton); }
    void release(int column, int row) { mouse(QEvent::MouseButtonRelease, column, row, Qt::LeftButton, {}); }
    // A move over the pad with these buttons held (none: the cursor only passes over).
    void move(int column, int row, Qt::MouseButtons buttons = Qt::NoButton)
    {
        mouse(QEvent::MouseMove, column, row, Qt::NoButton, buttons);
    }
    void select(int channel, bool on = true) { e().memory.set(SelectBase + channel, on ? 1 : 0); }
    int handX() { return e().shared.handScanX.load(); }
    int handY() { return e().shared.handScanY.load(); }
    int priority() { return e().shared.handScanPriority.load(); }
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

    THandScanForm& hand{*makeForm(TBaseForm::OutputClock::ByHand).handScanForm()};
};

// ---------------------------------------------------------------------------
// Where the pad is pressed and how the switches turn it.

struct Mapping {
    const char* name;
    int column, row;
    bool invertX, invertY, swap;
    int x, y;
};

void PrintTo(const Mapping& m, std::ostream* os)
{
    *os << m.name;
}

class HandScanMapping : public HandScanTest, public ::testing::WithParamInterface<Mapping> {};

TEST_P(HandScanMapping, PressGivesTheLevelsAndTheCaptions)
{
    const Mapping& m = GetParam();
    e().shared.handScanX = 77;
    e().shared.handScanY = 77;
    box("CheckBoxX")->setChecked(m.invertX);
    box("CheckBoxY")->setChecked(m.invertY);
    box("CheckBoxX_Y")->setChecked(m.swap);
    press(m.column, m.row);
    EXPECT_EQ(caption("CheckBoxX"), "X=" + std::to_string(m.x));
    EXPECT_EQ(caption("CheckBoxY"), "Y=" + std::to_string(m.y));
    EXPECT_EQ(handX(), m.x);
    EXPECT_EQ(handY(), m.y);
}

INSTANTIATE_TEST_SUITE_P(Switches, HandScanMapping,
                         ::testing::Values(Mapping{"NoSwitch", 0, 0, false, false, false, 0, 255},
                                           Mapping{"InvertY", 0, 0, false, true, false, 0, 0},
                                           Mapping{"InvertX", 0, 0, true, false, false, 255, 255},
                                           Mapping{"Swap", 10, 0, false, false, true, 255, 10},
                                           Mapping{"Inside", 100, 30, false, false, false, 100, 225},
                                           Mapping{"InvertXThenSwap", 10, 40, true, false, true, 215, 245}),
                         [](const auto& param) { return std::string(param.param.name); });

// ---------------------------------------------------------------------------
// The ticked channels and the current scene.

TEST_F(HandScanTest, PressPairsTickedChannelsAndStoresThemInTheCurrentScene)
{
    for (int c : {5, 6, 7}) {
        select(c);
    }
    e().memory.set(CellScene, 7);
    form->faderPage()->CheckBoxFromMemory();
    // Another page is shown: the fader page's boxes are not refreshed with it.
    form->pageControlInput()->setCurrentIndex(TBaseForm::PageCopy);
    ASSERT_TRUE(form->faderPage()->findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->isChecked());

    press(40, 200);

    // 5 takes 6 as its Y channel; 7 starts a pair of its own.
    EXPECT_EQ(e().memory.get(SelectBase + 5), 1);
    EXPECT_EQ(e().memory.get(SelectBase + 6), 0);
    EXPECT_EQ(e().memory.get(SelectBase + 7), 1);
    EXPECT_TRUE(form->faderPage()->findChild<QCheckBox*>(QStringLiteral("CheckBox5"))->isChecked());
    EXPECT_FALSE(form->faderPage()->findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->isChecked());
    EXPECT_EQ(e().DataRead(7, 5), 40);
    EXPECT_EQ(e().DataRead(7, 6), 55);
    EXPECT_EQ(e().DataRead(7, 7), 40);
    EXPECT_EQ(e().DataRead(7, 8), 55);
    EXPECT_EQ(e().DataRead(0, 5), 0);
    EXPECT_EQ(marker()->pos(), pad()->pos() + QPoint(40 - 9, 200 - 9));
}

TEST_F(HandScanTest, WhilePlayingAPressMovesTheBeamButNotTheScene)
{
    select(5);
    select(6);
    e().DataWrite(0, 5, 9);
    e().DataWrite(0, 6, 9);
    e().shared.playMode = 1;

    press(40, 200);

    EXPECT_EQ(handX(), 40);
    EXPECT_EQ(handY(), 55);
    EXPECT_EQ(e().memory.get(SelectBase + 6), 0);
    EXPECT_EQ(e().DataRead(0, 5), 9);
    EXPECT_EQ(e().DataRead(0, 6), 9);
}

TEST_F(HandScanTest, LastChannelTakesXOnlyAndNothingBeyondIsTouched)
{
    select(255);
    e().memory.set(SelectBase + 256, 1);  // the cell after the flags
    e().memory.set(CellScene, 7);
    e().DataWrite(7, 0, 33);
    e().DataWrite(8, 0, 44);

    press(40, 200);

    EXPECT_EQ(e().DataRead(7, 255), 40);
    EXPECT_EQ(e().DataRead(7, 0), 33);
    EXPECT_EQ(e().DataRead(8, 0), 44);
    EXPECT_EQ(e().memory.get(SelectBase + 255), 1);
    EXPECT_EQ(e().memory.get(SelectBase + 256), 1);
}

// ---------------------------------------------------------------------------
// Moving over the pad.

TEST_F(HandScanTest, OnlyAMoveWithTheButtonDownWrites)
{
    select(5);
    e().shared.handScanX = 77;
    const QPoint markerAt = marker()->pos();

    move(40, 200);

    EXPECT_EQ(caption("CheckBoxX"), "X=40");
    EXPECT_EQ(caption("CheckBoxY"), "Y=55");
    EXPECT_EQ(handX(), 77);
    EXPECT_EQ(e().DataRead(0, 5), 0);
    EXPECT_EQ(marker()->pos(), markerAt);

    // After the button comes up, moving writes nothing either.
    press(10, 10);
    release(10, 10);
    move(40, 200);
    EXPECT_EQ(handX(), 10);
    EXPECT_EQ(e().DataRead(0, 5), 10);

    // A drag follows the cursor and stops at the pad's edges.
    press(10, 10);
    move(300, -20, Qt::LeftButton);
    EXPECT_EQ(hand.padColumn(), 255);
    EXPECT_EQ(hand.padRow(), 0);
    EXPECT_EQ(e().DataRead(0, 5), 255);
    EXPECT_EQ(e().DataRead(0, 6), 255);
}

// ---------------------------------------------------------------------------
// The window and "Приоритет".

TEST_F(HandScanTest, ShowPadOpensAFixedWindowWithTheMarkerBehindThePad)
{
    press(10, 10);  // never released: showing forgets it
    hand.findChild<QGroupBox*>()->hide();
    form->findChild<QAction*>(QStringLiteral("HandScanItem"))->trigger();

    EXPECT_TRUE(hand.isVisible());
    EXPECT_FALSE(hand.isModal());
    EXPECT_TRUE(hand.findChild<QGroupBox*>()->isVisible());
    EXPECT_TRUE(hand.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(hand.palette().color(QPalette::Window), QColor(200, 200, 255));
    EXPECT_EQ(hand.minimumSize(), hand.maximumSize());
    EXPECT_EQ(pad()->size(), QSize(256, 256));
    EXPECT_EQ(pad()->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(marker()->size(), QSize(20, 20));
    hand.hide();
    form->findChild<QToolButton*>(QStringLiteral("SpeedButtonAREA"))->click();
    EXPECT_TRUE(hand.isVisible()) << "the tool bar button opens it too";

    e().shared.handScanX = 77;
    move(40, 200);
    EXPECT_EQ(handX(), 77);

    // The marker lies behind the pad and shows through its hatch, nowhere else.
    press(128, 128);
    QWidget* field = pad()->parentWidget();
    EXPECT_EQ(field->childAt(marker()->geometry().center()), pad());
    const QImage shot = field->grab().toImage();
    int yellow = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() < 80) {
                ++yellow;
                EXPECT_TRUE(marker()->geometry().contains(QPoint(x, y) / shot.devicePixelRatio()));
            }
        }
    }
    EXPECT_GT(yellow, 50);
}

TEST_F(HandScanTest, PriorityFollowsTheBoxAndEndsWithActivation)
{
    QCheckBox* manualArea = box("CheckBoxManualArea");
    manualArea->click();
    EXPECT_EQ(priority(), 1);
    manualArea->click();
    EXPECT_EQ(priority(), 0);

    for (QEvent::Type type : {QEvent::WindowActivate, QEvent::WindowDeactivate}) {
        manualArea->click();
        ASSERT_EQ(priority(), 1);
        QEvent event(type);
        QApplication::sendEvent(&hand, &event);
        QApplication::processEvents();
        EXPECT_EQ(priority(), 0) << type;
        EXPECT_FALSE(manualArea->isChecked()) << type;
    }
}

TEST_F(HandScanTest, WithPriorityTheBeamReachesTheOutput)
{
    e().shared.playMode = 1;  // the scene stays as it is: only the override can move the slots
    e().memory.set(RateBase + 3, 255);
    e().memory.set(RateBase + 4, 255);
    select(3);
    box("CheckBoxManualArea")->click();

    press(60, 100);

    EXPECT_TRUE(frameShows(3, 60));
    EXPECT_TRUE(frameShows(4, 155));
    EXPECT_EQ(e().DataRead(0, 3), 0);

    box("CheckBoxManualArea")->click();
    EXPECT_TRUE(frameShows(3, 0));
    EXPECT_TRUE(frameShows(4, 0));
}

}  // namespace
}  // namespace velantra
