// The window plays a show through the player core: the same show, played by
// the window and by the core alone (a program that links no widgets), gives
// the same frames, tick for tick.
#include "player/player.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"
#include "tests/play_scenario.h"

#include <QProcess>
#include <QTimer>

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

}  // namespace
}  // namespace velantra
