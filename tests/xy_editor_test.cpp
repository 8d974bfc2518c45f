// The XY path editor: the operator presses its buttons, drags points on the
// view and reads the path back from the show memory and the drawn pixels.
#include "channels/channel_names.h"
#include "effects/xy_editor_page.h"
#include "gui_fixture.h"
#include "programming/pictures_tab.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <string>
#include <tuple>
#include <vector>

namespace velantra {
namespace {

constexpr int Pair = 10;  // edited pair: channels 11 (X) and 12 (Y)

class XyEditor : public GuiTest {
protected:
    XyEditor()
    {
        e.memory.set(CellScene, 0);
        e.memory.set(CellLastScene, 40);
        page = form->xyEditorPage();
        bar("ScrollBarEditXYCh1")->setValue(Pair);
        setRange(1, 40);
    }

    template <typename T = QWidget> T* get(const char* name)
    {
        T* w = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QScrollBar* bar(const char* name) { return get<QScrollBar>(name); }
    QString text(const char* name) { return get<QLabel>(name)->text(); }
    void setRange(int from, int to)
    {
        get<QCheckBox>("CheckBoxEditXYAllScenes")->setChecked(false);
        get<QSpinBox>("SpinEditESSto")->setValue(to);
        get<QSpinBox>("SpinEditESSfrom")->setValue(from);
    }
    // Scene numbers as on the page (1-based).
    void put(int scene, LevelPair p, int pair = Pair)
    {
        e.DataWrite(scene - 1, pair + 1, p.p);
        e.DataWrite(scene - 1, pair + 2, p.q);
    }
    LevelPair at(int scene, int pair = Pair)
    {
        return {e.DataRead(scene - 1, pair + 1), e.DataRead(scene - 1, pair + 2)};
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint pixel)
    {
        auto* view = get("PaintBoxXY");
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, pixel, view->mapToGlobal(pixel), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
    // The view pixel of levels (x, y).
    static QPoint pixel(int x, int y) { return {x, 255 - y}; }

    Engine& e = [this]() -> Engine& { return makeForm().engine(); }();
    XyEditorPage* page = nullptr;
};

// --- Transform buttons -----------------------------------------------------

struct StepCase {
    const char* button;
    std::vector<LevelPair> before;
    std::vector<LevelPair> after;
};

// How the operator works a button: the mouse, Space on the focused button
// (with the show keys switched off, Space is the button's), or a click() from
// assistive technology.
enum class Activation { Mouse, Space, Click };

class XyEditorStep : public XyEditor, public ::testing::WithParamInterface<std::tuple<StepCase, Activation>> {
protected:
    void activate(QToolButton* button, Activation how)
    {
        switch (how) {
        case Activation::Mouse:
            QTest::mousePress(button, Qt::LeftButton);
            QTest::mouseRelease(button, Qt::LeftButton);
            break;
        case Activation::Space:
            form->picturesTab()->flashOn()->setChecked(false);
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
            break;
        case Activation::Click:
            button->click();
            break;
        }
    }
};

TEST_P(XyEditorStep, PressingAButtonMovesEveryPointOfTheRangeOnce)
{
    const auto& [c, how] = GetParam();
    const int first = 5;
    const int last = first + int(c.before.size()) - 1;
    for (std::size_t i = 0; i < c.before.size(); ++i) {
        put(first + int(i), c.before[i]);
    }
    put(last + 1, c.before[0]);  // outside the range
    setRange(first, last);

    activate(get<QToolButton>(c.button), how);
    for (std::size_t i = 0; i < c.after.size(); ++i) {
        EXPECT_EQ(at(first + int(i)), c.after[i]) << "point " << i;
    }
    EXPECT_EQ(at(last + 1), c.before[0]);
    EXPECT_EQ(page->repeatCode(), 0) << "a press and its release: nothing left repeating";
    page->TimerRepeatButtonTimer();
    EXPECT_EQ(at(first), c.after[0]) << "one step only";
}

std::string stepCaseName(const ::testing::TestParamInfo<std::tuple<StepCase, Activation>>& info)
{
    static const char* const ways[] = {"Mouse", "Space", "Click"};
    return std::string(std::get<0>(info.param).button).substr(11) + "_" +
           ways[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, XyEditorStep,
    ::testing::Combine(
        ::testing::Values(
            StepCase{"SpeedButtonEditPosRight", {{10, 20}, {255, 0}}, {{11, 20}, {255, 0}}},
            StepCase{"SpeedButtonEditPosLeft", {{10, 20}, {0, 255}}, {{9, 20}, {0, 255}}},
            StepCase{"SpeedButtonEditPosUp", {{10, 20}, {0, 255}}, {{10, 21}, {0, 255}}},
            StepCase{"SpeedButtonEditPosDown", {{10, 20}, {255, 0}}, {{10, 19}, {255, 0}}},
            StepCase{"SpeedButtonGorizontMirror", {{10, 20}, {0, 255}}, {{245, 20}, {255, 255}}},
            StepCase{"SpeedButtonVerticalMirror", {{10, 20}, {0, 255}}, {{10, 235}, {0, 0}}},
            StepCase{"SpeedButtonEditRazmerMene", {{0, 1}, {127, 254}, {128, 255}}, {{0, 2}, {127, 253}, {127, 255}}},
            StepCase{"SpeedButtonEditRazmerMore", {{0, 1}, {127, 254}, {128, 255}}, {{0, 0}, {126, 255}, {129, 255}}}),
        ::testing::Values(Activation::Mouse, Activation::Space, Activation::Click)),
    stepCaseName);

TEST_F(XyEditor, AHeldButtonRepeatsOnTheTimerUntilReleased)
{
    auto* timer = page->findChild<QTimer*>(QStringLiteral("TimerRepeatButton"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 700);
    put(1, {100, 100});

    auto* right = get<QToolButton>("SpeedButtonEditPosRight");
    QTest::mousePress(right, Qt::LeftButton);
    EXPECT_EQ(page->repeatCode(), 1);
    EXPECT_EQ(at(1).p, 101);
    page->TimerRepeatButtonTimer();
    EXPECT_EQ(at(1).p, 102);
    EXPECT_EQ(timer->interval(), 50);
    QTest::mouseRelease(right, Qt::LeftButton);
    EXPECT_EQ(page->repeatCode(), 0);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isActive());
    page->TimerRepeatButtonTimer();
    EXPECT_EQ(at(1).p, 102);

    // A mirror acts once and is never repeated.
    QTest::mousePress(get<QToolButton>("SpeedButtonGorizontMirror"), Qt::LeftButton);
    EXPECT_EQ(at(1).p, 153);
    page->TimerRepeatButtonTimer();
    EXPECT_EQ(at(1).p, 153);
}

TEST_F(XyEditor, SlidingOffAHeldButtonAndBackActsOnlyOnTheRealPressAndRelease)
{
    // The pointer leaves the held button and comes back before the release.
    auto slideOffAndBack = [](QToolButton* button) {
        QTest::mousePress(button, Qt::LeftButton);
        for (const QPoint at : {QPoint(-30, -30), QPoint(3, 3)}) {
            QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(button, &move);
        }
    };
    put(1, {100, 100});
    auto* right = get<QToolButton>("SpeedButtonEditPosRight");
    slideOffAndBack(right);
    EXPECT_EQ(at(1).p, 101) << "one step for the one press";
    EXPECT_EQ(page->repeatCode(), 1) << "still held: still repeating";
    page->TimerRepeatButtonTimer();
    EXPECT_EQ(at(1).p, 102);
    QTest::mouseRelease(right, Qt::LeftButton);
    EXPECT_EQ(page->repeatCode(), 0);

    auto* mirror = get<QToolButton>("SpeedButtonGorizontMirror");
    slideOffAndBack(mirror);
    QTest::mouseRelease(mirror, Qt::LeftButton);
    EXPECT_EQ(at(1).p, 153) << "mirrored once, not twice";

    // Released away from the button: the hold ends there, with no further step.
    QTest::mousePress(right, Qt::LeftButton);
    EXPECT_EQ(at(1).p, 154);
    QTest::mouseRelease(right, Qt::LeftButton, Qt::NoModifier, QPoint(-30, -30));
    EXPECT_EQ(page->repeatCode(), 0);
    page->TimerRepeatButtonTimer();
    EXPECT_EQ(at(1).p, 154);
}

// --- The view: hit test, dragging, drawing -----------------------------------

TEST_F(XyEditor, OfTwoNearPointsTheLowerNumberedSceneIsHit)
{
    put(1, {101, 100});  // outside the range 2..40
    put(3, {102, 101});
    put(5, {100, 100});
    setRange(2, 40);
    page->SearchScena(101, 100);
    EXPECT_EQ(page->foundScene(), 2);
    EXPECT_EQ(text("LabelEXYscena"), QStringLiteral(" Сцена 3"));
    EXPECT_EQ(get("PaintBoxXY")->toolTip(), QStringLiteral("Переместить сцену 3"));
    page->SearchScena(50, 50);  // a miss keeps the last hit
    EXPECT_EQ(page->foundScene(), 2);
    page->SearchScena(105, 104);  // 3 levels away still hits
    EXPECT_EQ(page->foundScene(), 2);
    page->SearchScena(97, 96);  // 4 levels below scene 5 does not
    EXPECT_EQ(page->foundScene(), 2);
}

struct ClickCase {
    Qt::MouseButton button;
    bool changeScene;
    int playMode;
    int scene;  // CellScene afterwards
    int last;   // CellLastScene afterwards
};

class XyEditorClick : public XyEditor, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(XyEditorClick, AClickOnAPointMakesItsSceneCurrentOnlyWhenStoppedAndAllowed)
{
    const auto& c = GetParam();
    e.memory.set(CellLastScene, 3);
    e.memory.set(CellScene, 1);
    setRange(1, 20);
    put(7, {60, 70});
    get<QCheckBox>("CheckBoxAllScen")->setChecked(c.changeScene);
    e.shared.playMode = static_cast<std::uint8_t>(c.playMode);

    auto* step = form->findChild<QLabel*>(QStringLiteral("LabelStep"));
    const QString shown = step->text();
    mouse(QEvent::MouseButtonPress, c.button, pixel(61, 69));
    EXPECT_EQ(e.memory.get(CellScene), c.scene);
    EXPECT_EQ(e.memory.get(CellLastScene), c.last);
    EXPECT_EQ(step->text(), c.scene == 6 ? QStringLiteral("7") : shown);
    EXPECT_EQ(page->dragMode(), c.button == Qt::LeftButton ? 1 : 2);
    mouse(QEvent::MouseButtonRelease, c.button, pixel(61, 69));
    EXPECT_EQ(page->dragMode(), 0);
    EXPECT_EQ(text("LabelEXYscena"), QStringLiteral(" "));
}

INSTANTIATE_TEST_SUITE_P(Clicks, XyEditorClick,
                         ::testing::Values(ClickCase{Qt::LeftButton, true, 0, 6, 6},
                                           ClickCase{Qt::LeftButton, false, 0, 1, 3},
                                           ClickCase{Qt::LeftButton, true, 1, 1, 3},
                                           ClickCase{Qt::RightButton, true, 0, 1, 3}));

TEST_F(XyEditor, DraggingWhilePlayingMovesThePointButKeepsTheCurrentScene)
{
    e.shared.playMode = 1;
    put(4, {60, 70});
    put(6, {200, 200});
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, pixel(60, 70));
    mouse(QEvent::MouseMove, Qt::LeftButton, pixel(62, 72));
    mouse(QEvent::MouseMove, Qt::LeftButton, pixel(64, 74));
    EXPECT_EQ(at(4), (LevelPair{64, 74}));
    EXPECT_EQ(text("LabelESPosX"), QStringLiteral("X = 64"));
    EXPECT_EQ(text("LabelESPosY"), QStringLiteral("Y = 74"));
    EXPECT_EQ(e.memory.get(CellScene), 0);
    EXPECT_EQ(get("PaintBoxXY")->cursor().shape(), Qt::ClosedHandCursor);
    // Far from any point the drag keeps hold of its scene; the edge limits the levels.
    mouse(QEvent::MouseMove, Qt::LeftButton, QPoint(300, -20));
    EXPECT_EQ(at(4), (LevelPair{255, 255}));
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(300, -20));
    mouse(QEvent::MouseMove, Qt::NoButton, pixel(10, 10));
    EXPECT_EQ(at(4), (LevelPair{255, 255}));
    EXPECT_EQ(at(6), (LevelPair{200, 200}));
}

TEST_F(XyEditor, ARightDragShowsSizeAndWritesNothing)
{
    put(4, {60, 70});
    mouse(QEvent::MouseButtonPress, Qt::RightButton, pixel(60, 70));
    mouse(QEvent::MouseMove, Qt::RightButton, pixel(61, 71));
    EXPECT_EQ(at(4), (LevelPair{60, 70}));
    EXPECT_EQ(text("LabelEXYscena"), QStringLiteral(" Размер "));
    EXPECT_EQ(get("PaintBoxXY")->cursor().shape(), Qt::SizeAllCursor);
}

TEST_F(XyEditor, ThePathIsDrawnLimeToRedOverTheGrid)
{
    setRange(1, 3);
    put(1, {50, 200});  // pixel (50, 55)
    put(2, {100, 100});
    put(3, {200, 50});  // pixel (200, 205)
    page->ReturnEditXY();
    const QImage image = get("PaintBoxXY")->parentWidget()->grab().toImage();
    ASSERT_EQ(image.size(), QSize(256, 256));
    auto colour = [&](int x, int y) { return image.pixelColor(x, y); };
    EXPECT_EQ(colour(46, 51), QColor(0, 255, 0));  // first point, 8 x 8
    EXPECT_EQ(colour(53, 51), QColor(0, 255, 0));
    EXPECT_EQ(colour(54, 51), QColor(Qt::white));
    EXPECT_EQ(colour(97, 152), QColor(0, 128, 0));   // middle point, 6 x 6
    EXPECT_EQ(colour(150, 180), QColor(0, 0, 255));  // the line to the last point
    EXPECT_EQ(colour(197, 202), QColor(255, 0, 0));  // last point
    EXPECT_EQ(colour(203, 202), QColor(Qt::white));
    EXPECT_EQ(colour(127, 10), QColor(Qt::black));  // grid
    EXPECT_EQ(colour(10, 127), QColor(Qt::black));
    EXPECT_EQ(colour(239, 10), QColor(128, 128, 128));
    EXPECT_EQ(colour(10, 15), QColor(128, 128, 128));
    EXPECT_EQ(colour(135, 10), QColor(Qt::white));

    setRange(3, 3);  // a single scene: red over lime
    const QImage one = get("PaintBoxXY")->parentWidget()->grab().toImage();
    EXPECT_EQ(one.pixelColor(197, 202), QColor(255, 0, 0));
    EXPECT_EQ(one.pixelColor(196, 201), QColor(0, 255, 0));
    EXPECT_EQ(one.pixelColor(97, 152), QColor(Qt::white));
}

// --- Turn, copy, range, figures ------------------------------------------------

struct TurnCase {
    int theta;
    LevelPair top;    // where the point at the top goes
    LevelPair right;  // where the point at the right goes
};

class XyEditorTurn : public XyEditor, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(XyEditorTurn, TheTurnMovesEveryPointOfTheRange)
{
    const auto& c = GetParam();
    setRange(2, 3);
    put(1, {127, 255});
    put(2, {127, 255});
    put(3, {255, 127});
    bar("ScrollBarRotate")->setValue(c.theta);
    get<QToolButton>("SpeedButtonRotateLeft")->click();
    auto near = [](LevelPair got, LevelPair want) {
        return std::abs(got.p - want.p) <= 4 && std::abs(got.q - want.q) <= 4;
    };
    EXPECT_TRUE(near(at(2), c.top)) << at(2).p << "," << at(2).q;
    EXPECT_TRUE(near(at(3), c.right)) << at(3).p << "," << at(3).q;
    EXPECT_EQ(at(1), (LevelPair{127, 255}));
}

INSTANTIATE_TEST_SUITE_P(Angles, XyEditorTurn,
                         ::testing::Values(TurnCase{90, {127, 0}, {255, 127}}, TurnCase{270, {127, 255}, {0, 127}}));

TEST_F(XyEditor, LabelsShowTheChannelsTheTurnAndTheFigure)
{
    SaveEdit(e.memory, 21, QStringLiteral("Pan"));
    blankConversion(e.memory);
    bar("ScrollBarEditXYCh3")->setValue(20);
    EXPECT_EQ(text("LabelXYareaFirrtName3"), QStringLiteral("Ch21  Pan"));
    EXPECT_EQ(text("LabelXYareaSecondName3"), QStringLiteral("Ch22  "));
    EXPECT_EQ(text("LabelXYareaFirrtName1"), QStringLiteral("Ch11  "));
    EXPECT_EQ(e.shared.xyChannel, Pair);
    bar("ScrollBarRotate")->setValue(200);
    EXPECT_EQ(text("LabelEditRL"), QStringLiteral("Влево 160"));
    bar("ScrollBarRotate")->setValue(179);
    EXPECT_EQ(text("LabelEditRL"), QStringLiteral("Вправо 179"));
    bar("ScrollBarRotate")->setValue(180);
    EXPECT_EQ(text("LabelEditRL"), QStringLiteral("Влево 180"));
    bar("ScrollBarEditMaxX")->setValue(120);
    bar("ScrollBarEditWide")->setValue(3);
    EXPECT_EQ(text("LabelmadeFigure"), QStringLiteral(" Размер фигуры 120       Опция 3"));
}

TEST_F(XyEditor, CopyWritesOnlyTheTickedPairAndTakesTheUndoSnapshot)
{
    setRange(2, 3);
    put(1, {1, 2});
    put(2, {10, 20});
    put(3, {30, 40});
    bar("ScrollBarEditXYCh2")->setValue(50);
    bar("ScrollBarEditXYCh3")->setValue(60);
    bar("ScrollBarEditXYCh4")->setValue(70);
    get<QCheckBox>("CheckBoxEditXY3")->setChecked(true);
    auto* undo = form->findChild<QToolButton*>(QStringLiteral("SpeedButtonUndo4"));
    ASSERT_NE(undo, nullptr);
    EXPECT_FALSE(undo->isEnabled());

    get<QToolButton>("SpeedButtonEditXYcopy")->click();
    EXPECT_EQ(at(2, 60), (LevelPair{10, 20}));
    EXPECT_EQ(at(3, 60), (LevelPair{30, 40}));
    EXPECT_EQ(at(1, 60), (LevelPair{0, 0}));
    EXPECT_EQ(at(2, 50), (LevelPair{0, 0}));
    EXPECT_EQ(at(2, 70), (LevelPair{0, 0}));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(form->statusPanel()->text().contains(QStringLiteral("данные сохранены")));
}

TEST_F(XyEditor, TheRangeSpinsNeverCrossAndAllScenesTakesTheWholeShow)
{
    auto* from = get<QSpinBox>("SpinEditESSfrom");
    auto* to = get<QSpinBox>("SpinEditESSto");
    from->setValue(5);
    to->setValue(9);
    from->setValue(20);
    EXPECT_EQ(from->value(), 9);
    EXPECT_EQ(to->value(), 9);
    from->setValue(4);
    to->setValue(2);
    EXPECT_EQ(to->value(), 4);

    e.memory.set(CellLastScene, 60);
    auto* all = get<QCheckBox>("CheckBoxEditXYAllScenes");
    all->click();
    ASSERT_TRUE(all->isChecked());
    EXPECT_EQ(page->range().from, 1);
    EXPECT_EQ(page->range().to, 61);
    EXPECT_EQ(text("LabelEXYscena"), QStringLiteral(" Сцена ? "));
    EXPECT_EQ(get("PaintBoxXY")->toolTip(), QString());
}

TEST_F(XyEditor, AFigureNeedsTwoScenes)
{
    put(8, {1, 2});
    setRange(8, 8);
    answerBox(QMessageBox::Ok);
    get<QToolButton>("SpeedButtonEditXYmadeCucle")->click();
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Для этой фигуры нужно выбрать не меньше двух сцен")});
    EXPECT_EQ(at(8), (LevelPair{1, 2}));

    setRange(8, 9);
    get<QToolButton>("SpeedButtonEditXYmadeCucle")->click();
    EXPECT_EQ(boxTexts.size(), 1);
    EXPECT_NE(at(8), (LevelPair{1, 2}));
    EXPECT_EQ(unexpected, 0);
}

TEST_F(XyEditor, ThePageFitsTheLeftPageControlWithTheViewAtFullSize)
{
    setRange(1, 32);
    get<QToolButton>("SpeedButtonEditXYmadeCucle")->click();
    // The main window gives the page its undo pair.
    auto* mem = get<QToolButton>("SpeedButtonMem4");
    auto* undo = get<QToolButton>("SpeedButtonUndo4");
    EXPECT_EQ(mem->text(), QStringLiteral("Запомнить\nкартинку "));
    EXPECT_EQ(undo->text(), QStringLiteral("Вернуть"));
    const QSize least = page->minimumSizeHint();
    EXPECT_LE(least.width(), 560);
    EXPECT_LE(least.height(), 540);
    page->resize(560, 540);
    EXPECT_EQ(get("PaintBoxXY")->size(), QSize(256, 256));
}

}  // namespace
}  // namespace velantra
