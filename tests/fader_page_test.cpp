// The fader page as the operator uses it: faders write the current scene,
// refreshes write nothing, manual override, output display, selection,
// level buttons, the rate bars and blackout.
#include "channels/channel_names.h"
#include "programming/fader_glyphs.h"
#include "programming/fader_page.h"
#include "programming/rate_table.h"
#include "programming/settings_tabs.h"
#include "tests/gui_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace velantra {
namespace {

class FaderPageTest : public GuiTest {
protected:
    FaderPageTest()
    {
        makeForm(TBaseForm::OutputClock::ByHand);
        page = form->faderPage();
    }
    Engine& e() { return form->engine(); }
    QToolButton* button(const char* name) { return form->findChild<QToolButton*>(QString::fromLatin1(name)); }
    // The operator drags a bar: a user action, unlike a refresh.
    static void drag(QScrollBar* bar, int value)
    {
        bar->setSliderDown(true);
        bar->setSliderPosition(value);
        bar->setSliderDown(false);
    }

    FaderPage* page = nullptr;
};

TEST_F(FaderPageTest, FaderWritesTheCurrentSceneAtThePageOffsetUnlessPlaying)
{
    e().memory.set(CellScene, 1);
    page->pageBar()->setValue(20);
    drag(page->fader(5), 180);
    EXPECT_EQ(e().DataRead(1, 25), 180);
    EXPECT_EQ(e().DataRead(0, 25), 0);

    e().shared.playMode = 1;
    drag(page->fader(5), 10);
    EXPECT_EQ(e().DataRead(1, 25), 180) << "a fader move while playing leaves the scene alone";
}

TEST_F(FaderPageTest, RefreshWritesNothingIntoTheShow)
{
    e().DataWrite(0, 3, 77);
    e().memory.set(SelectBase + 4, 1);
    std::vector<std::uint8_t> before(ShowMemorySize);
    e().memory.copyOut(0, ShowMemorySize, before.data());
    form->ReturnPageControlAll();
    EXPECT_EQ(page->fader(3)->value(), 77);
    EXPECT_TRUE(page->checkBox(4)->isChecked());
    std::vector<std::uint8_t> after(ShowMemorySize);
    e().memory.copyOut(0, ShowMemorySize, after.data());
    // Only the name display may rewrite blanks; everything else is untouched.
    for (int i = 0; i < ShowMemorySize; ++i) {
        if (i < NameBase || i >= PictureBase) {
            ASSERT_EQ(before[i], after[i]) << "cell " << i;
        }
    }
}

TEST_F(FaderPageTest, ManualOverrideHoldsASelectedFaderWhileScenesChange)
{
    e().controls.rateMode = RateMode::Off;
    for (int s = 0; s < 3; ++s) {
        for (int c = 1; c <= 27; ++c) {
            e().DataWrite(s, c, 10 * (s + 1));
        }
    }
    form->ReturnPageControlAll();
    page->checkBox(5)->click();
    drag(page->fader(5), 200);
    form->levelsTab()->manual()->setChecked(true);
    e().shared.playMode = 1;
    e().memory.set(CellScene, 2);
    form->ReturnPageControlAll();
    EXPECT_EQ(page->fader(4)->value(), 30);
    EXPECT_EQ(page->fader(5)->value(), 200) << "manual mode keeps the selected fader";
    stepOutput();
    ASSERT_EQ(e().dmxFrame.get(5), 200);
    ASSERT_EQ(e().dmxFrame.get(4), 30);

    e().shared.playMode = 0;
    page->pageBar()->setValue(10);  // the page moves away: the override ends
    stepOutput();
    ASSERT_EQ(e().dmxFrame.get(5), 30);
}

TEST_F(FaderPageTest, OutputLabelsShowTheSentLevelInDmxOrPercent)
{
    e().controls.rateMode = RateMode::Off;
    e().DataWrite(0, 1, 255);
    e().DataWrite(0, 2, 254);
    e().DataWrite(0, 3, 2);
    e().DataWrite(0, 4, 3);
    e().coderTable.set(5, 1);  // slot 5 sends channel 1
    stepOutput();
    ASSERT_EQ(e().dmxFrame.get(5), 255);
    page->TimerDataDmxToDspTimer();
    EXPECT_EQ(page->outputLabel(2)->text(), QStringLiteral("254"));
    EXPECT_EQ(page->outputLabel(5)->text(), QStringLiteral("255"));
    button("SpeedButtonOutLevel100")->click();
    page->TimerDataDmxToDspTimer();
    EXPECT_EQ(page->outputLabel(1)->text(), QStringLiteral("100"));
    EXPECT_EQ(page->outputLabel(2)->text(), QStringLiteral("100"));
    EXPECT_EQ(page->outputLabel(3)->text(), QStringLiteral("1"));
    EXPECT_EQ(page->outputLabel(4)->text(), QStringLiteral("2"));
    // A layer the tick is still composing (a blackout written into the frame
    // before the patch and the send) is not shown until the frame is finished.
    e().dmxFrame.fill(1, 27, 0);
    page->TimerDataDmxToDspTimer();
    EXPECT_EQ(page->outputLabel(2)->text(), QStringLiteral("100"));
    stepOutput();  // the tick finishes the frame from the scene again
    page->TimerDataDmxToDspTimer();
    EXPECT_EQ(page->outputLabel(2)->text(), QStringLiteral("100"));
}

TEST_F(FaderPageTest, SlowDisplayRefreshesThreeLabelsPerTickStartingWithGroupTwo)
{
    // The test runs the display tick itself: the timer must not run one while the frame settles.
    form->findChild<QTimer*>(QStringLiteral("TimerDataDmxToDsp"))->stop();
    button("SpeedButtonLevel255")->click();  // up: slow
    e().controls.rateMode = RateMode::Off;
    for (int c = 1; c <= 27; ++c) {
        e().DataWrite(0, c, 100 + c);
    }
    stepOutput();
    ASSERT_EQ(e().dmxFrame.get(27), 127);
    page->TimerDataDmxToDspTimer();
    EXPECT_EQ(page->labelGroup(), 2);
    EXPECT_EQ(page->outputLabel(4)->text(), QStringLiteral("104"));
    EXPECT_EQ(page->outputLabel(6)->text(), QStringLiteral("106"));
    EXPECT_EQ(page->outputLabel(7)->text(), QStringLiteral("0")) << "group 3 not refreshed yet";
}

TEST_F(FaderPageTest, SelectionButtonsAndInvertGroups)
{
    button("SpeedButtonOnVisCheck")->click();
    for (int c = 1; c <= 27; ++c) {
        EXPECT_EQ(e().memory.get(SelectBase + c), 1) << c;
    }
    EXPECT_EQ(e().memory.get(SelectBase + 28), 0);
    button("SpeedButtonInv21")->click();
    EXPECT_FALSE(page->checkBox(21)->isChecked());
    EXPECT_FALSE(page->checkBox(25)->isChecked());
    EXPECT_TRUE(page->checkBox(26)->isChecked()) << "rows 26 and 27 belong to no group";
    EXPECT_TRUE(page->checkBox(27)->isChecked());
    EXPECT_EQ(e().memory.get(SelectBase + 25), 0);

    e().memory.set(SelectBase + 0, 1);
    e().memory.set(SelectBase + 200, 1);
    button("SpeedButtonOffAllCheck")->click();
    EXPECT_EQ(e().memory.get(SelectBase + 0), 0);
    EXPECT_EQ(e().memory.get(SelectBase + 200), 0);
    EXPECT_FALSE(page->checkBox(1)->isChecked());
}

TEST_F(FaderPageTest, LevelButtonsWriteTheSceneAndAreRefusedWhilePlaying)
{
    e().DataWrite(0, 0, 9);
    e().DataWrite(0, 100, 9);
    button("SpeedButtonVis255")->click();
    EXPECT_EQ(e().DataRead(0, 27), 255);
    EXPECT_EQ(e().DataRead(0, 28), 0);
    EXPECT_EQ(page->fader(27)->value(), 255);
    button("SpeedButtonAllScrl0")->click();
    EXPECT_EQ(e().DataRead(0, 0), 0) << "cell 0 included";
    EXPECT_EQ(e().DataRead(0, 100), 0);
    e().shared.playMode = 1;
    button("SpeedButtonVis127")->click();
    EXPECT_EQ(e().DataRead(0, 1), 0);
}

TEST_F(FaderPageTest, LevelOfSelectedChannelsReachesChannelsOffThePage)
{
    e().memory.set(SelectBase + 200, 1);
    page->checkBox(3)->click();
    form->levelsTab()->levelAll()->setValue(200);
    EXPECT_EQ(e().DataRead(0, 3), 200);
    EXPECT_EQ(e().DataRead(0, 200), 200);
    EXPECT_EQ(e().DataRead(0, 4), 0);
}

TEST_F(FaderPageTest, RateBarsWriteTheirOwnChannelsAndTheLabel)
{
    page->pageBar()->setValue(40);
    drag(page->rateBar(3), 2);
    EXPECT_EQ(e().memory.get(RateBase + 43), 4);
    EXPECT_EQ(form->rateTab()->label()->text(), QStringLiteral("3"));
    drag(page->rateBar(27), 0);
    EXPECT_EQ(e().memory.get(RateBase + 67), 1);
    EXPECT_EQ(e().memory.get(RateBase + 66), 255);

    e().memory.set(RateBase + 41, 30);
    form->ReturnPageControlAll();
    EXPECT_EQ(page->rateBar(1)->value(), 5);
    EXPECT_EQ(e().memory.get(RateBase + 41), 30) << "showing a rate does not rewrite it";
}

TEST_F(FaderPageTest, RateOfSelectedChannels)
{
    e().memory.set(SelectBase + 200, 1);
    page->checkBox(1)->click();
    form->rateTab()->rateLevel()->setValue(0);
    EXPECT_EQ(e().memory.get(RateBase + 1), 1);
    EXPECT_EQ(e().memory.get(RateBase + 200), 1);
    EXPECT_EQ(e().memory.get(RateBase + 2), 255);
    EXPECT_EQ(e().memory.get(CellRateLevel), 1);
    EXPECT_EQ(page->rateBar(1)->value(), 0);
    EXPECT_EQ(form->rateTab()->label()->text(), QStringLiteral("15"));
}

TEST(RateTable, PositionOfEveryRange)
{
    const std::pair<int, int> cases[] = {{0, 0},  {1, 0},  {2, 1},  {3, 2},  {4, 2},   {5, 3},   {8, 3},  {9, 4},
                                         {20, 4}, {21, 5}, {50, 5}, {51, 6}, {100, 6}, {101, 7}, {255, 7}};
    for (const auto& [value, position] : cases) {
        EXPECT_EQ(RatePositionOf(static_cast<std::uint8_t>(value)), position) << value;
    }
    for (int p = 0; p < RatePositions; ++p) {
        EXPECT_EQ(RatePositionOf(rateStep(p)), p);
    }
    EXPECT_EQ(rateStep(9), 255);
}

TEST_F(FaderPageTest, BlackoutButtonsDriveTheBoxTheTickAndPlayMode)
{
    e().shared.playMode = 1;
    page->blackOut()->click();
    auto* box = form->levelsTab()->blackOut();
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(e().controls.blackOut.load());
    EXPECT_EQ(e().shared.playMode.load(), 0);
    stepOutput();  // the tick blinks the button, the window's blink timer shows it
    EXPECT_TRUE(QTest::qWaitFor([&] { return !page->blackOut()->isVisibleTo(page); }, 2000)) << "the button blinks";

    page->macrosOut()->click();
    EXPECT_TRUE(e().controls.macroDown.load());
    page->blackOut()->click();  // from the macro to plain blackout
    EXPECT_FALSE(e().controls.macroDown.load());
    EXPECT_TRUE(box->isChecked());

    page->onScena()->click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(e().controls.blackOut.load());
    EXPECT_TRUE(page->blackOut()->isVisibleTo(page));
}

TEST_F(FaderPageTest, NamesRoundTripThroughTheFieldsOfTheVisiblePage)
{
    page->nameField(2)->setText(QStringLiteral("Front wash"));
    page->nameField(3)->setText(QStringLiteral("Прожектор 16симв"));
    page->SaveEditAll();
    EXPECT_EQ(e().memory.get(NameBase + 16 * 2 + 5), 0) << "the inner blank is stored as 0";
    page->pageBar()->setValue(1);
    EXPECT_EQ(page->nameField(1)->text(), QStringLiteral("Front wash"));
    EXPECT_EQ(page->nameField(2)->text(), QStringLiteral("Прожектор 16симв"));
}

TEST_F(FaderPageTest, ClearNamesAsksAndRefreshesEitherWay)
{
    page->nameField(1)->setText(QStringLiteral("Dimmer"));
    page->SaveEditAll();
    e().memory.set(NameBase + 16 * 200, 'X');
    answerBox(QMessageBox::No);
    form->findChild<QAction*>(QStringLiteral("ClearNamesItem"))->trigger();
    EXPECT_EQ(page->nameField(1)->text(), QStringLiteral("Dimmer"));
    answerBox(QMessageBox::Yes);
    form->findChild<QAction*>(QStringLiteral("ClearNamesItem"))->trigger();
    EXPECT_EQ(boxTexts.last(), QStringLiteral("Очистить имена каналов?"));
    EXPECT_TRUE(page->nameField(1)->text().isEmpty());
    EXPECT_EQ(e().memory.get(NameBase + 16 * 200), 0);
}

// The operator types a name and, without leaving the field, moves the page:
// the bar and the wheel take no focus, so no focus-out stores the name first.
TEST_F(FaderPageTest, ATypedNameSurvivesAPageMoveByTheBarOrTheWheel)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QLineEdit* field = page->nameField(3);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClicks(field, QStringLiteral("Spot L"));
    ASSERT_TRUE(field->hasFocus());
    QTest::mouseClick(page->pageBar(), Qt::LeftButton, {}, QPoint(5, page->pageBar()->height() - 30));
    EXPECT_GT(page->pageBar()->value(), 0) << "a click in the track moved the page";
    EXPECT_TRUE(field->hasFocus()) << "the bar took no focus";
    EXPECT_EQ(nameLabel(e().memory, 3).trimmed(), QStringLiteral("Spot L")) << "stored as typed";
    page->pageBar()->setValue(0);
    EXPECT_EQ(field->text(), QStringLiteral("Spot L"));

    QTest::keyClicks(field, QStringLiteral("eft"));
    QWheelEvent notch(QPointF(5, 5), field->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(page->fader(10), &notch);
    EXPECT_EQ(page->pageBar()->value(), 1) << "the wheel moved the page";
    page->pageBar()->setValue(0);
    EXPECT_EQ(page->nameField(3)->text(), QStringLiteral("Spot Left"));

    // A refresh while the field is typed into keeps its trailing blank.
    QTest::keyClicks(field, QStringLiteral(" "));
    form->ReturnPageControlAll();
    EXPECT_EQ(field->text(), QStringLiteral("Spot Left "));
}

TEST_F(FaderPageTest, LevelSelectionAndInvertButtonsShowPicturesNotCaptions)
{
    QSet<qint64> pictures;
    for (const char* name :
         {"SpeedButtonAllScrl0", "SpeedButtonVis0", "SpeedButtonVis127", "SpeedButtonVis255", "SpeedButtonOffVisCheck",
          "SpeedButtonOnVisCheck", "SpeedButtonOffAllCheck", "SpeedButtonInv1", "SpeedButtonInv6", "SpeedButtonInv11",
          "SpeedButtonInv16", "SpeedButtonInv21"}) {
        QToolButton* b = button(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_TRUE(b->text().isEmpty()) << name << " has the caption " << b->text().toStdString();
        ASSERT_FALSE(b->icon().isNull()) << name;
        EXPECT_FALSE(b->toolTip().isEmpty()) << name;
        const QImage image = b->icon().pixmap(FaderGlyphSize).toImage();
        pictures.insert(qHashBits(image.constBits(), static_cast<std::size_t>(image.sizeInBytes())));
    }
    EXPECT_EQ(pictures.size(), 12) << "every button has a picture of its own";
}

}  // namespace
}  // namespace velantra
