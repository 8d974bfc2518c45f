// Playing the rig from the keyboard and paging with the wheel: keys reach the
// main window before the focused control, and only while the keyboard switch is on.
#include "app/keyboard_control.h"
#include "app/options_page.h"
#include "conveyor/conveyor_group.h"
#include "effects/hand_scan_form.h"
#include "programming/fader_page.h"
#include "programming/keyboard.h"
#include "programming/pictures_tab.h"
#include "programming/sequencer_page.h"
#include "programming/settings_tabs.h"
#include "tests/gui_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <utility>

namespace velantra {
namespace {

class KeyboardTest : public GuiTest {
protected:
    KeyboardTest() { makeForm(TBaseForm::OutputClock::ByHand); }
    Engine& e() { return form->engine(); }
    // The widget that has the keyboard: a button of the fader page.
    QWidget* target() { return form->faderPage()->onScena(); }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyPress(target(), key, mods); }
    void release(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyRelease(target(), key, mods); }
    void tap(Qt::Key key) { QTest::keyClick(target(), key); }
    bool lit(int k) { return form->picturesTab()->picture(k)->isChecked(); }
    QString keyLabel() { return form->optionsPage()->keyCode()->text(); }
    void wheel(QWidget* over, int delta)
    {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    }
};

TEST_F(KeyboardTest, PictureKeyFlashesWhileHeldAndCtrlLatchesIt)
{
    press(Qt::Key_3);
    EXPECT_TRUE(lit(2));
    EXPECT_TRUE(e().controls.pictureOn[2].load()) << "the tick sees the flash";
    // Auto-repeat interleaves releases: the picture stays on while the key is held.
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"), true);
    QApplication::sendEvent(target(), &repeatRelease);
    EXPECT_TRUE(lit(2));
    release(Qt::Key_3);
    EXPECT_FALSE(lit(2));
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 51"));

    press(Qt::Key_Control);
    press(Qt::Key_3, Qt::ControlModifier);
    release(Qt::Key_3, Qt::ControlModifier);
    release(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_TRUE(lit(2)) << "latched with Ctrl";
    tap(Qt::Key_3);
    EXPECT_FALSE(lit(2));

    tap(Qt::Key_Space);
    press(Qt::Key_M);
    EXPECT_TRUE(lit(15));
    EXPECT_FALSE(lit(8)) << "Space flashed and went off; it did not click the focused button";
    EXPECT_FALSE(form->faderPage()->blackOut()->isChecked());
}

TEST_F(KeyboardTest, RussianLayoutLettersActAsTheirKeys)
{
    // "Я" is on the Z key, "Ь" on M, "Д" on L.
    auto send = [this](QEvent::Type type, char16_t letter) {
        QKeyEvent event(type, letter, Qt::NoModifier, QString(QChar(letter)));
        QApplication::sendEvent(target(), &event);
    };
    send(QEvent::KeyPress, u'Я');
    EXPECT_TRUE(lit(9));
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 90"));
    send(QEvent::KeyRelease, u'Я');
    EXPECT_FALSE(lit(9));
    send(QEvent::KeyPress, u'Ь');
    EXPECT_TRUE(lit(15));
    send(QEvent::KeyPress, u'Д');
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 76"));
    send(QEvent::KeyPress, u'Ё');  // on no Latin letter's key
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 0"));
}

TEST_F(KeyboardTest, ZeroTogglesBlackoutAndStopsMinusPlaysEqualsStops)
{
    tap(Qt::Key_Minus);
    EXPECT_EQ(e().shared.playMode.load(), 1);
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 189"));
    tap(Qt::Key_0);
    EXPECT_TRUE(form->levelsTab()->blackOut()->isChecked());
    EXPECT_EQ(e().shared.playMode.load(), 0);
    tap(Qt::Key_Minus);
    tap(Qt::Key_0);
    EXPECT_FALSE(form->levelsTab()->blackOut()->isChecked());
    EXPECT_EQ(e().shared.playMode.load(), 0);
    form->faderPage()->TimerDataDmxToDspTimer();  // the next display refresh shows the stop
    EXPECT_TRUE(form->sequencerPage()->stopButton()->isChecked());

    tap(Qt::Key_Minus);
    tap(Qt::Key_Equal);
    EXPECT_EQ(e().shared.playMode.load(), 0);
    EXPECT_TRUE(form->sequencerPage()->stopButton()->isChecked());
}

TEST_F(KeyboardTest, SwitchedOffKeyboardAndNameFieldsFireNothing)
{
    form->picturesTab()->flashOn()->setChecked(false);
    tap(Qt::Key_3);
    tap(Qt::Key_Minus);
    EXPECT_FALSE(lit(2));
    EXPECT_EQ(e().shared.playMode.load(), 0);
    EXPECT_EQ(keyLabel(), QStringLiteral("Клавиатура ?"));

    form->picturesTab()->flashOn()->setChecked(true);
    QLineEdit* name = form->faderPage()->nameField(1);
    QTest::keyClicks(name, QStringLiteral("MZ-3"));
    EXPECT_FALSE(lit(15));
    EXPECT_FALSE(lit(9));
    EXPECT_EQ(e().shared.playMode.load(), 0);
    EXPECT_EQ(name->text(), QStringLiteral("MZ-3"));
}

TEST_F(KeyboardTest, ConveyorLettersNeedTheirSwitchButTheLabelAlwaysShowsTheKey)
{
    form->conveyorGroup()->keyboard()->setChecked(false);
    tap(Qt::Key_Q);
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 81"));
    EXPECT_FALSE(form->conveyorGroup()->slotButton(1)->isChecked());

    form->conveyorGroup()->keyboard()->setChecked(true);
    tap(Qt::Key_W);
    EXPECT_TRUE(form->conveyorGroup()->slotButton(2)->isChecked()) << "hand mode puts the key's slot down";
}

TEST_F(KeyboardTest, MenuShortcutsTakePrecedence)
{
    QAction* copy = form->findChild<QAction*>(QStringLiteral("CopyToBufferItem"));
    int copies = 0;
    QObject::connect(copy, &QAction::triggered, [&] { ++copies; });
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 1);
    EXPECT_FALSE(lit(11));
}

TEST_F(KeyboardTest, WheelPagesTheFaderBank)
{
    QScrollBar* bank = form->faderPage()->pageBar();
    QWidget* over = form->faderPage()->fader(4);
    wheel(over, 120);
    EXPECT_EQ(bank->value(), 1);
    EXPECT_EQ(form->faderPage()->fader(4)->value(), 0) << "the wheel does not move the fader under it";
    wheel(over, 360);
    EXPECT_EQ(bank->value(), bank->maximum());
    EXPECT_EQ(bank->maximum(), 228) << "the last page shows channels 229..255";
    wheel(over, -120);
    EXPECT_EQ(bank->value(), bank->maximum() - 1);
    wheel(over, -400);
    EXPECT_EQ(bank->value(), 0);

    // The graph page: the wheel steps the graphed channel, not the bar under it.
    form->pageControlInput()->setCurrentIndex(TBaseForm::PageGraph);
    auto* channel = form->findChild<QScrollBar*>(QStringLiteral("ScrollBarChanellGrafik"));
    auto* zoom = form->findChild<QScrollBar*>(QStringLiteral("ScrollBarGrafikZoom"));
    wheel(zoom, -120);
    wheel(zoom, 120);
    wheel(zoom, 120);
    EXPECT_EQ(channel->value(), 2);
    EXPECT_EQ(zoom->value(), 3);

    form->pageControlInput()->setCurrentIndex(TBaseForm::PageAutomats);
    EXPECT_FALSE(form->findChild<KeyboardControl*>()->FormMouseWheel(120)) << "other tabs: nothing";
}

TEST_F(KeyboardTest, ShiftedSymbolsAreTheirKeysAndKeypadDigitsFireNothing)
{
    press(Qt::Key_3);
    release(Qt::Key_NumberSign, Qt::ShiftModifier);  // Shift came while 3 was held
    EXPECT_FALSE(lit(2)) << "the key-up ends what the key-down began";
    press(Qt::Key_NumberSign, Qt::ShiftModifier);
    EXPECT_TRUE(lit(2)) << "Shift+3 is the 3 key";
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 51"));
    release(Qt::Key_3);
    EXPECT_FALSE(lit(2));
    press(Qt::Key_ParenRight, Qt::ShiftModifier);
    EXPECT_TRUE(form->levelsTab()->blackOut()->isChecked()) << "Shift+0 is the blackout key";

    press(Qt::Key_3, Qt::KeypadModifier);
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 99"));
    EXPECT_FALSE(lit(2));
    press(Qt::Key_0, Qt::KeypadModifier);
    EXPECT_EQ(keyLabel(), QStringLiteral("NomberKey is 96"));
    EXPECT_TRUE(form->levelsTab()->blackOut()->isChecked()) << "keypad 0 is no blackout key";
}

// X key codes of a PC keyboard (evdev + 8) and the classic codes they stand for.
class XkbKeycode : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(XkbKeycode, NamesThePhysicalKey)
{
    EXPECT_EQ(virtualKeyOfXkbKeycode(static_cast<quint32>(GetParam().first)), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Keys, XkbKeycode,
                         ::testing::Values(std::pair{10, 49}, std::pair{12, 51}, std::pair{17, 56}, std::pair{19, 48},
                                           std::pair{20, 189}, std::pair{21, 187}, std::pair{24, 'Q'},
                                           std::pair{38, 'A'}, std::pair{46, 'L'}, std::pair{52, 'Z'},
                                           std::pair{58, 'M'}, std::pair{65, 32}, std::pair{37, 17}, std::pair{105, 17},
                                           std::pair{87, 97}, std::pair{90, 96}, std::pair{81, 105}, std::pair{67, 112},
                                           std::pair{0, 0}, std::pair{8, 0}, std::pair{255, 0}));

TEST_F(KeyboardTest, ASpinBoxDoesNotSwallowShowKeysAndCtrlAOpensThePadFromAnyField)
{
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->pageControlInput()->setCurrentIndex(TBaseForm::PageXyEditor);
    auto* range = form->findChild<QSpinBox*>(QStringLiteral("SpinEditESSfrom"));
    ASSERT_NE(range, nullptr);
    range->setFocus();
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_0);
    EXPECT_TRUE(form->levelsTab()->blackOut()->isChecked());
    EXPECT_EQ(range->value(), 1);
    QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(form->handScanForm()->isVisible()) << "Ctrl+A from a spin box";
    form->handScanForm()->hide();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    form->pageControlInput()->setCurrentIndex(TBaseForm::PageFaders);
    QLineEdit* name = form->faderPage()->nameField(2);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("ab"));
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(form->handScanForm()->isVisible()) << "Ctrl+A from a name field";
    EXPECT_EQ(name->text(), QStringLiteral("ab"));
}

}  // namespace
}  // namespace velantra
