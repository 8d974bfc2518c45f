// The window plays a show through the player core: the same show, played by
// the window and by the core alone (a program that links no widgets), gives
// the same frames, tick for tick.
#include "desk/player.h"
#include "effects/automats_page.h"
#include "engine/automat.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"
#include "tests/play_scenario.h"

#include <QCheckBox>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>

#include <array>
#include <ostream>

namespace velantra {
namespace {

class CorePlayTest : public GuiTest {};

TEST_F(CorePlayTest, TheWindowAndThePlayerCoreSendTheSameFrames)
{
    // Four scenes of changing levels with every kind of fade step, glided at
    // the tempo (automat smoothing): the step arithmetic and the wrap show.
    auto show = std::make_unique<Engine>();
    show->ClearAll();
    show->memory.set(CellLastScene, 3);
    show->memory.set(CellTempo, 10);
    for (int c = 1; c <= LastChannel; ++c) {
        show->memory.set(RateBase + c, static_cast<std::uint8_t>((c * 37) % 256));
        for (int s = 0; s < 4; ++s) {
            show->DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(c),
                            static_cast<std::uint8_t>((c * 11 + s * 97) % 256));
        }
    }
    const QString file = path(QStringLiteral("Glide.vlt"));
    ASSERT_TRUE(writeShowFile(file, show->memory).ok);
    constexpr int Steps = 9;
    constexpr int Ticks = 3;

    QProcess core;
    core.start(QStringLiteral(VELANTRA_CORE_FRAMES), {file, QString::number(Steps), QString::number(Ticks)});
    ASSERT_TRUE(core.waitForFinished(10000));
    ASSERT_EQ(core.exitCode(), 0) << core.readAllStandardError().toStdString();
    const QStringList coreFrames = QString::fromLatin1(core.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));

    makeForm(TBaseForm::OutputClock::ByHand);
    form->player().sequencerTimer()->stop();
    form->loadShow(file);
    form->player().refreshTempo();
    const QStringList windowFrames = playScenario(form->player(), form->outputCycle(), Steps, Ticks);

    ASSERT_EQ(windowFrames.size(), Steps * Ticks);
    ASSERT_EQ(coreFrames.size(), windowFrames.size());
    for (int i = 0; i < windowFrames.size(); ++i) {
        EXPECT_EQ(coreFrames[i], windowFrames[i]) << "tick " << i;
    }
    EXPECT_NE(windowFrames.first(), windowFrames.last()) << "the show moved";
}

// The settings of both automats in a show (tempo, first channel, program,
// bright, dark), and a level one slot must show at some tick.
struct AutomatShow {
    const char* name;
    std::array<int, 5> automat1;
    std::array<int, 5> automat2;
    int slot;
    int level;
};

void PrintTo(const AutomatShow& show, std::ostream* out)
{
    *out << show.name;
}

class CoreAutomatsTest : public GuiTest, public ::testing::WithParamInterface<AutomatShow> {
protected:
    // Frames printed by the core helper for this show file.
    static QStringList coreFrames(const QString& file, int ticks)
    {
        QProcess core;
        core.start(QStringLiteral(VELANTRA_CORE_FRAMES), {file, QStringLiteral("--automats"), QString::number(ticks)});
        EXPECT_TRUE(core.waitForFinished(10000));
        EXPECT_EQ(core.exitCode(), 0) << core.readAllStandardError().toStdString();
        return QString::fromLatin1(core.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
    }
};

// velantra-player --automats plays the automats as the window's page "Автоматы"
// does with both "Пуск самостоятельно" switches on: where they write, their
// programs and levels, and how often they step.
TEST_P(CoreAutomatsTest, ThePlayersAutomatsAreTheWindowsWithBothRunSwitchesOn)
{
    const AutomatShow& shown = GetParam();
    auto show = std::make_unique<Engine>();
    show->ClearAll();
    show->memory.set(CellLastScene, 2);
    show->memory.set(CellTempo, 20);
    for (int c = 1; c <= 40; ++c) {
        for (int s = 0; s < 3; ++s) {
            show->DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(c),
                            static_cast<std::uint8_t>(60 + c * 3 + s * 50));
        }
    }
    for (int a = 0; a < AutomatCount; ++a) {
        const AutomatSetup& setup = AutomatSetups[static_cast<std::size_t>(a)];
        const std::array<int, 5>& cells = a == 0 ? shown.automat1 : shown.automat2;
        const int at[] = {setup.tempoCell, setup.channelCell, setup.programCell, setup.brightCell, setup.darkCell};
        for (std::size_t i = 0; i < cells.size(); ++i) {
            show->memory.set(static_cast<std::size_t>(at[i]), static_cast<std::uint8_t>(cells[i]));
        }
    }
    const QString file = path(QStringLiteral("Automats.vlt"));
    ASSERT_TRUE(writeShowFile(file, show->memory).ok);
    constexpr int Ticks = 60;  // 3 s
    const QStringList core = coreFrames(file, Ticks);

    makeForm(TBaseForm::OutputClock::ByHand);
    form->player().stopTimers();
    form->openShow(file);
    form->pageControlInput()->setCurrentIndex(TBaseForm::PageAutomats);
    for (int a = 0; a < AutomatCount; ++a) {
        form->automatsPage()->runAlone(a)->setChecked(true);
    }
    const QStringList window = playTimed(form->player(), form->outputCycle(), Ticks);

    ASSERT_EQ(window.size(), Ticks);
    ASSERT_EQ(core.size(), window.size());
    for (int i = 0; i < Ticks; ++i) {
        ASSERT_EQ(core[i].toStdString(), window[i].toStdString()) << "tick " << i;
    }
    const QString level = QStringLiteral("%1").arg(shown.level, 2, 16, QLatin1Char('0'));
    EXPECT_TRUE(std::any_of(core.begin(), core.end(),
                            [&](const QString& frame) { return frame.mid(2 * (shown.slot - 1), 2) == level; }))
        << "slot " << shown.slot << " never shows " << shown.level;
}

INSTANTIATE_TEST_SUITE_P(
    Shows, CoreAutomatsTest,
    ::testing::Values(AutomatShow{"SetToChannels10And20", {10, 10, 2, 250, 5}, {7, 20, 3, 200, 30}, 22, 200},
                      // The window's page too puts an unset automat's dark level on slots 1..4.
                      AutomatShow{"Automat2Unset", {10, 10, 1, 255, 0}, {0, 0, 0, 0, 0}, 11, 255},
                      AutomatShow{"BothUnset", {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 1, 0},
                      AutomatShow{"CellsBeyondTheBars", {80, 255, 9, 180, 20}, {3, 251, 4, 90, 60}, 251, 90}),
    [](const ::testing::TestParamInfo<AutomatShow>& shown) { return std::string(shown.param.name); });

}  // namespace
}  // namespace velantra
