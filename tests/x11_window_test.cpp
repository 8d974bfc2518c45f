// The window as the X server sees it: the caption the window system shows,
// and keys as the keyboard sends them (through XTEST, with the modifiers
// coming and going in between), which an offscreen test cannot reproduce.
#include "app/options_page.h"
#include "effects/hand_scan_form.h"
#include "programming/pictures_tab.h"
#include "programming/settings_tabs.h"
#include "shell/lean_scroll_bar.h"
#include "tests/gui_fixture.h"
#include "tests/program_process.h"
#include "tests/x11_session.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <csignal>

namespace velantra {
namespace {

// Real key events: xdotool's key words ("keydown shift", "keyup 3", ...).
void keys(const QStringList& words)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), words);
    ASSERT_TRUE(xdotool.waitForFinished(10000));
    ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
    QTest::qWait(150);  // the server delivers them; the event loop takes them
}

class X11Window : public GuiTest {
protected:
    void SetUp() override
    {
        VELANTRA_REQUIRE_X11();
        makeForm();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    bool lit(int k) { return form->picturesTab()->picture(k)->isChecked(); }
};

TEST_F(X11Window, AKeyUpEndsWhatItsKeyDownBeganWhateverShiftDidInBetween)
{
    // Down 3, Shift down, up 3 (the symbol is now "#"), Shift up.
    keys({"keydown", "3"});
    EXPECT_TRUE(lit(2));
    keys({"keydown", "shift", "keyup", "3", "keyup", "shift"});
    EXPECT_FALSE(lit(2)) << "the release of the 3 key ends picture 2";

    // Shift+3 is the 3 key: it flashes picture 2 like the bare key.
    keys({"keydown", "shift", "keydown", "3"});
    EXPECT_TRUE(lit(2));
    EXPECT_EQ(form->optionsPage()->keyCode()->text(), QStringLiteral("NomberKey is 51"));
    keys({"keyup", "shift", "keyup", "3"});
    EXPECT_FALSE(lit(2));
}

TEST_F(X11Window, KeypadDigitsShowTheirOwnCodesAndFireNothing)
{
    keys({"keydown", "KP_3"});
    EXPECT_EQ(form->optionsPage()->keyCode()->text(), QStringLiteral("NomberKey is 99"));
    EXPECT_FALSE(lit(2));
    keys({"keyup", "KP_3", "key", "KP_0"});
    EXPECT_EQ(form->optionsPage()->keyCode()->text(), QStringLiteral("NomberKey is 96"));
    EXPECT_FALSE(form->levelsTab()->blackOut()->isChecked());
}

TEST_F(X11Window, ShowKeysAndCtrlAWorkWhileASpinBoxHasTheFocus)
{
    form->pageControlInput()->setCurrentIndex(TBaseForm::PageXyEditor);
    auto* range = form->findChild<QSpinBox*>(QStringLiteral("SpinEditESSfrom"));
    ASSERT_NE(range, nullptr);
    range->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return range->hasFocus(); }, 1000));
    keys({"key", "0"});
    EXPECT_TRUE(form->levelsTab()->blackOut()->isChecked()) << "0 is the blackout key";
    EXPECT_EQ(range->value(), 1) << "the spin box did not take the key";
    keys({"key", "ctrl+a"});
    EXPECT_TRUE(form->handScanForm()->isVisible()) << "Ctrl+A opens the hand scan pad";
}

// The real program, as the operator starts it, on the test's X server.
// What reaches the screen after a fader's value moves in handle-only repaints
// is what a plain scroll bar shows after whole repaints.
TEST(X11Fader, HandleOnlyRepaintsLeaveTheSamePixelsAsWholeRepaints)
{
    VELANTRA_REQUIRE_X11();
    QWidget window;
    window.resize(300, 60);
    auto* lean = new LeanScrollBar(Qt::Horizontal, &window);
    auto* plain = new QScrollBar(Qt::Horizontal, &window);
    for (QScrollBar* bar : {static_cast<QScrollBar*>(lean), plain}) {
        bar->setRange(0, 255);
        bar->setPageStep(10);
    }
    lean->setGeometry(10, 10, 280, 15);
    plain->setGeometry(10, 35, 280, 15);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const int value : {30, 31, 200, 120, 255, 0, 90}) {
        lean->setValue(value);
        plain->setValue(value);
        QTest::qWait(60);
    }
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
    ASSERT_FALSE(shown.isNull());
    const qreal ratio = shown.devicePixelRatio();
    const auto area = [&](const QWidget* bar) {
        return shown.copy(QRect(bar->geometry().topLeft() * ratio, bar->size() * ratio));
    };
    const QImage bar = area(lean);
    EXPECT_NE(bar.pixel(bar.width() / 2, bar.height() / 2), bar.pixel(1, 1)) << "the bar is on the screen";
    EXPECT_EQ(bar, area(plain));
}

TEST(X11Program, CaptionShownByTheWindowSystemIsThePrefixAndTheFileNameOnly)
{
    VELANTRA_REQUIRE_X11();
    QTemporaryDir home;
    QProcess program;
    ASSERT_TRUE(startProgram(program, home, QStringLiteral("xcb")));
    QByteArray window;
    const QString pid = QString::number(program.processId());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            window = x11::run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--pid", pid}).trimmed();
            return !window.isEmpty();
        },
        15000));
    const QString id = QString::fromLatin1(window.split('\n').constFirst());
    // The caption is the prefix (" Initalization " until the first refresh
    // after start-up, " Initialization " in English) and the show's first
    // name, and nothing after them.
    const QString shown = QString::fromUtf8(x11::run(QStringLiteral("xdotool"), {"getwindowname", id})).chopped(1);
    const QString prefix = QLocale::system().language() == QLocale::Russian ? QStringLiteral(" Initalization ")
                                                                            : QStringLiteral(" Initialization ");
    EXPECT_EQ(shown, prefix + QStringLiteral("Unit_001"));
    const QByteArray netName = x11::run(QStringLiteral("xprop"), {"-id", id, "_NET_WM_NAME"});
    EXPECT_EQ(netName.trimmed(), "_NET_WM_NAME(UTF8_STRING) = \"" + (prefix + QStringLiteral("Unit_001\"")).toUtf8());
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    EXPECT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
}  // namespace velantra
