// The sequencer page: play and stop, stepping through the scenes, the tempo,
// the glide steps and the clocks. Timers are stepped by calling their handlers.
#include "desk/player.h"
#include "engine/output_cycle.h"
#include "engine/sequencer.h"
#include "programming/sequencer_page.h"
#include "tests/gui_fixture.h"

#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace velantra {

namespace {

class SequencerTest : public GuiTest {
protected:
    SequencerTest()
    {
        makeForm();
        page = form->sequencerPage();
        form->player().clockOnTheTick(false);  // steps by hand only
        form->findChild<QTimer*>(QStringLiteral("TimerSeqveser"))->stop();
    }
    Engine& e() { return form->engine(); }
    QString text(const char* name) { return form->findChild<QLabel*>(QString::fromLatin1(name))->text(); }

    SequencerPage* page = nullptr;
};

TEST_F(SequencerTest, PlayStepsThroughTheScenesAndWraps)
{
    e().memory.set(CellLastScene, 3);
    e().memory.set(CellScene, 2);
    page->TimerSeqveserTimer();
    EXPECT_EQ(e().memory.get(CellScene), 2) << "stopped: the tick only blinks the lamp";
    page->playButton()->click();
    EXPECT_EQ(e().shared.playMode.load(), 1);
    EXPECT_FALSE(page->editButton("SpeedButtonNewScena")->isEnabled());
    EXPECT_FALSE(form->findChild<QMenu*>(QStringLiteral("EditItem"))->menuAction()->isEnabled());
    page->TimerSeqveserTimer();
    EXPECT_EQ(e().memory.get(CellScene), 3);
    EXPECT_EQ(text("LabelStep"), QStringLiteral("4"));
    page->TimerSeqveserTimer();
    EXPECT_EQ(e().memory.get(CellScene), 0);

    e().memory.set(CellScene, 9);  // beyond the last scene
    page->TimerSeqveserTimer();
    EXPECT_EQ(e().memory.get(CellScene), 0);
    page->stopButton()->click();
    EXPECT_EQ(e().shared.playMode.load(), 0);
    EXPECT_TRUE(page->editButton("SpeedButtonNewScena")->isEnabled());
    EXPECT_FALSE(page->editButton("ButtonScenaPaste")->isEnabled()) << "paste waits for the next copy";
}

TEST_F(SequencerTest, OneSceneShowReturnsToSceneZeroEveryTick)
{
    e().memory.set(CellLastScene, 0);
    page->ModePlay();
    page->TimerSeqveserTimer();
    EXPECT_EQ(e().memory.get(CellScene), 0);
}

TEST_F(SequencerTest, DoubleClickOnPlayStartsFromSceneZero)
{
    e().memory.set(CellLastScene, 9);
    e().memory.set(CellScene, 7);
    e().DataWrite(7, 1, 200);
    e().DataWrite(0, 1, 0);
    page->tempoBar()->setValue(10);  // 100 ms: two ticks a step
    QTest::mouseDClick(page->playButton(), Qt::LeftButton);
    EXPECT_EQ(e().shared.playMode.load(), 1);
    EXPECT_EQ(e().memory.get(CellScene), 0);
    EXPECT_EQ(e().seqStep.get(0), 100) << "the glide comes from scene 7, shown before";
    page->TimerSeqveserTimer();
    EXPECT_EQ(e().memory.get(CellScene), 1);
}

TEST_F(SequencerTest, TempoSetsTheIntervalAndScenesPerMinute)
{
    const std::tuple<int, int, const char*> cases[] = {
        {44, 1936, "30  Сцен/мин "}, {10, 100, "600  Сцен/мин "}, {170, 28900, "2  Сцен/мин "}};
    for (const auto& [tempo, interval, label] : cases) {
        page->tempoBar()->setValue(tempo);
        EXPECT_EQ(e().memory.get(CellTempo), tempo);
        EXPECT_EQ(page->sequencerTimer()->interval(), interval);
        EXPECT_EQ(text("LabelTemp"), QString::fromUtf8(label));
    }
}

TEST_F(SequencerTest, LoadedTempoOutsideTheBarIsHeldAtItsEndAndWrittenBack)
{
    e().memory.set(CellTempo, 0);
    form->ReturnPageControlAll();
    EXPECT_EQ(e().memory.get(CellTempo), 10);
    EXPECT_EQ(page->sequencerTimer()->interval(), 100);
    e().memory.set(CellTempo, 250);
    form->ReturnPageControlAll();
    EXPECT_EQ(e().memory.get(CellTempo), 170);
}

TEST_F(SequencerTest, GlideStepsCoverOneIntervalFromTheSceneShownBefore)
{
    e().DataWrite(0, 1, 0);
    e().DataWrite(1, 1, 255);
    e().DataWrite(0, 2, 10);
    e().DataWrite(1, 2, 12);
    e().DataWrite(0, 3, 40);
    e().DataWrite(1, 3, 40);
    e().memory.set(CellScene, 1);
    computeSeqStep(e(), sequencerInterval(44), sceneLevels(e(), 0));
    EXPECT_EQ(e().seqStep.get(0), 6);
    EXPECT_EQ(e().seqStep.get(1), 1);
    EXPECT_EQ(e().seqStep.get(2), 1);

    e().memory.set(SceneBase - 256 + 1, 200);  // the gap below scene 0 plays no part
    e().memory.set(CellScene, 0);
    computeSeqStep(e(), sequencerInterval(10), sceneLevels(e(), 1));  // a = 2
    EXPECT_EQ(e().seqStep.get(0), 127);
}

// Scenario: a 3-scene chase at tempo 10 (a step every 100 ms, two output
// ticks) with the "Автомат" smoothing glides into each scene, the wrap from
// the last scene back to scene 0 included.
TEST(SequencerWrap, TheChaseGlidesBackToSceneZeroFromTheLastScene)
{
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->controls.rateMode = RateMode::Automat;
    engine->memory.set(CellLastScene, 2);
    engine->memory.set(CellTempo, 10);
    const int levels[3][2] = {{7, 250}, {92, 130}, {177, 10}};  // channels 1 and 2 of scenes 0..2
    for (std::uint8_t s = 0; s < 3; ++s) {
        engine->DataWrite(s, 1, static_cast<std::uint8_t>(levels[s][0]));
        engine->DataWrite(s, 2, static_cast<std::uint8_t>(levels[s][1]));
    }
    OutputCycle cycle(*engine);
    Player player(*engine);
    player.stopTimers();
    player.refreshTempo();
    cycle.tick();  // scene 0 on the output
    ASSERT_EQ(engine->dmxFrame.get(1), 7);
    // Channel 1 and 2 after each of the two ticks of a step: 85 (or 170 at
    // the wrap) in two ticks of 42 (85), channel 2 in ticks of 60 (120).
    const int expected[][2] = {{49, 190}, {91, 130}, {133, 70}, {175, 10}, {90, 130}, {7, 250},
                               {49, 190}, {91, 130}, {133, 70}, {175, 10}, {90, 130}, {7, 250}};
    player.play();
    std::vector<std::pair<int, int>> seen;
    for (int step = 0; step < 6; ++step) {
        player.step();
        for (int t = 0; t < 2; ++t) {
            cycle.tick();
            seen.emplace_back(engine->dmxFrame.get(1), engine->dmxFrame.get(2));
        }
    }
    ASSERT_EQ(seen.size(), std::size(expected));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i], std::make_pair(expected[i][0], expected[i][1])) << "tick " << i;
    }
}

// Wherever the current scene jumps while playing, the glide starts from the
// scene shown before: the last scene at a wrap, a scene beyond the last one,
// the scene left by a double click on play (back to scene 0).
TEST(SequencerWrap, TheGlideStartsFromTheSceneShownBefore)
{
    struct Case {
        const char* how;
        int from;
        bool doubleClick;
        int step;  // of channel 1 towards scene 0's 7, at two ticks a step
    };
    const Case cases[] = {
        {"wrap from the last scene", 2, false, 85},
        {"wrap from beyond the last scene", 5, false, 25},
        {"double click on play", 1, true, 42},
    };
    for (const Case& c : cases) {
        auto engine = std::make_unique<Engine>();
        engine->ClearAll();
        engine->memory.set(CellLastScene, 2);
        engine->memory.set(CellTempo, 10);
        for (const auto& [scene, level] : {std::pair{0, 7}, {1, 92}, {2, 177}, {5, 57}}) {
            engine->DataWrite(static_cast<std::uint8_t>(scene), 1, static_cast<std::uint8_t>(level));
        }
        Player player(*engine);
        player.stopTimers();
        player.refreshTempo();
        engine->memory.set(CellScene, static_cast<std::uint8_t>(c.from));
        player.play();
        c.doubleClick ? player.jumpToScene(0) : player.step();
        EXPECT_EQ(engine->memory.get(CellScene), 0) << c.how;
        EXPECT_EQ(engine->seqStep.get(0), c.step) << c.how;
    }
}

TEST_F(SequencerTest, ClockRollsOverAndThePlayClockIsKeptAfterStop)
{
    page->ModePlay();
    form->player().setClock({23, 59, 58});
    form->player().clockTick();
    EXPECT_EQ(text("LabelTimeShou"), QStringLiteral("Шоу   = 23ч 59м 59с "));
    form->player().clockTick();
    EXPECT_EQ(text("LabelTimeShou"), QStringLiteral("Шоу   = 0ч 0м 0с "));
    page->ModeStop();
    form->player().clockTick();
    EXPECT_EQ(text("LabelTimePause"), QStringLiteral("Паузa = 0ч 0м 1с "));
    EXPECT_EQ(text("LabelTimeShou"), QStringLiteral("Шоу   = 0ч 0м 0с "));
}

TEST_F(SequencerTest, PlayingWithAutomatSmoothingGlidesTheOutput)
{
    e().controls.rateMode = RateMode::Automat;
    e().memory.set(CellLastScene, 1);
    e().DataWrite(0, 1, 0);
    e().DataWrite(1, 1, 200);
    page->tempoBar()->setValue(20);  // 400 ms: steps of 25 per tick
    page->ModePlay();
    page->TimerSeqveserTimer();  // to scene 1
    ASSERT_EQ(e().seqStep.get(0), 25);
    std::vector<int> seen;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const int level = e().dmxFrame.get(1);
            if (seen.empty() || seen.back() != level) {
                seen.push_back(level);
            }
            return level == 200;
        },
        3000));
    EXPECT_GE(seen.size(), 4u) << "the level passes through intermediate values";
}

}  // namespace
}  // namespace velantra

namespace velantra {
namespace {

// The step timers keep their beat whatever the operator does: a refresh (a
// tab click, a page move, a wheel step, a mouse move over the hand scan pad)
// must not restart them.
TEST_F(SequencerTest, RefreshesNeverPushTheNextStepBack)
{
    e().memory.set(CellTempo, 44);  // 1,936 ms
    page->TempStatus();
    form->pageControlInput()->setCurrentIndex(TBaseForm::PageAutomats);  // its refresh runs too
    std::vector<QTimer*> timers = {page->sequencerTimer()};
    for (const char* name : {"TimerTempAvtomat1", "TimerTempAvtomat2"}) {
        timers.push_back(form->findChild<QTimer*>(QString::fromLatin1(name)));
        ASSERT_NE(timers.back(), nullptr) << name;
    }
    page->sequencerTimer()->start();
    QTest::qWait(300);
    for (QTimer* timer : timers) {
        const int before = timer->remainingTime();
        ASSERT_GT(before, 0) << timer->objectName().toStdString();
        form->ReturnPageControlAll();
        EXPECT_LE(timer->remainingTime(), before) << timer->objectName().toStdString() << " was restarted";
    }
}

// Scenario: at tempo 10 (a step every 100 ms) the show plays on at the same
// pace whether or not the window is refreshed every 60 ms meanwhile.
TEST_F(SequencerTest, APlayingShowStepsOnWhileTheWindowIsRefreshed)
{
    e().memory.set(CellLastScene, 255);
    e().memory.set(CellTempo, 10);
    page->TempStatus();
    page->ModePlay();
    auto stepsInOneSecond = [this](bool refreshed) {
        e().memory.set(CellScene, 0);
        QTimer refresher;
        QObject::connect(&refresher, &QTimer::timeout, form.get(), [this] { form->ReturnPageControlAll(); });
        if (refreshed) {
            refresher.start(60);
        }
        page->sequencerTimer()->start();
        QTest::qWait(1000);
        page->sequencerTimer()->stop();
        return int(e().memory.get(CellScene));
    };
    const int alone = stepsInOneSecond(false);
    const int refreshed = stepsInOneSecond(true);
    std::printf("scene steps in 1 s at tempo 10: %d untouched, %d refreshed every 60 ms (10 due)\n", alone, refreshed);
    EXPECT_GE(alone, 4);
    EXPECT_GE(refreshed, alone - 3);
}

TEST_F(SequencerTest, LampTimerRunsFromStartAndThePresetBarShowsAPageOf50)
{
    auto* lamp = form->findChild<QTimer*>(QStringLiteral("TimerColorLentaTempa"));
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->interval(), 100);
    EXPECT_TRUE(lamp->isActive()) << "as start-up left it";

    auto* preset = form->findChild<QScrollBar*>(QStringLiteral("ScrollBarScenHand"));
    ASSERT_NE(preset, nullptr);
    EXPECT_EQ(preset->pageStep(), 50);
    EXPECT_EQ(preset->value(), 1);
    preset->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(preset->value(), 11) << "a click in the track moves by 10";
    preset->triggerAction(QAbstractSlider::SliderPageStepSub);
    preset->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(preset->value(), 0);
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("LabelScenHand"))->text(), QStringLiteral("Уст 1"));
}

}  // namespace
}  // namespace velantra
