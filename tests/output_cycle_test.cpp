// The scene layer: the approach rule and the three smoothing modes.
#include "engine/approach.h"
#include "tests/cycle_fixture.h"

#include <ostream>

namespace velantra {
namespace {

struct ApproachCase {
    int level, target, step, expected;
};

void PrintTo(const ApproachCase& c, std::ostream* os)
{
    *os << c.level << "->" << c.target << " by " << c.step;
}

class ApproachTest : public ::testing::TestWithParam<ApproachCase> {};

TEST_P(ApproachTest, MovesByAtMostStepAndNeverOvershoots)
{
    const auto c = GetParam();
    EXPECT_EQ(approach(c.level, c.target, c.step), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Edges, ApproachTest,
                         ::testing::Values(ApproachCase{250, 255, 20, 255},  // sum 270 capped at target
                                           ApproachCase{10, 0, 20, 0},       // no wrap below zero
                                           ApproachCase{0, 255, 255, 255},   // 255 jumps
                                           ApproachCase{255, 0, 255, 0},
                                           ApproachCase{100, 200, 0, 100},  // step 0 holds
                                           ApproachCase{200, 100, 0, 200}, ApproachCase{100, 200, 30, 130},
                                           ApproachCase{200, 100, 30, 170},
                                           ApproachCase{240, 250, 200, 250},  // would overflow a byte
                                           ApproachCase{20, 5, 200, 5},       // would underflow a byte
                                           ApproachCase{77, 77, 9, 77}));

TEST_F(CycleTest, FadersModeMovesEachChannelByItsOwnRate)
{
    setMode(RateMode::Faders);
    setScene(0, 1, 200);
    setScene(0, 2, 200);
    setRate(1, 50);
    setRate(2, 255);
    tick();
    EXPECT_EQ(slot(1), 50);
    EXPECT_EQ(slot(2), 200);
    tick(3);
    EXPECT_EQ(slot(1), 200);
    EXPECT_EQ(cycle.targetFrame()[1], 200);
}

TEST_F(CycleTest, FadersModeWithRateZeroHoldsTheLastSentLevel)
{
    setMode(RateMode::Faders);
    setScene(0, 9, 120);
    tick();
    EXPECT_EQ(slot(9), 120);
    setRate(9, 0);
    setScene(0, 9, 10);
    tick(5);
    EXPECT_EQ(slot(9), 120);
}

TEST_F(CycleTest, SceneLayerFollowsTheCurrentSceneCell)
{
    setMode(RateMode::Off);
    setScene(0, 4, 11);
    setScene(7, 4, 99);
    e->memory.set(CellScene, 7);
    tick();
    EXPECT_EQ(slot(4), 99);
    EXPECT_EQ(e->shared.sceneAddr.load(), sceneAddress(7));
}

TEST_F(CycleTest, OffModeTakesSceneLevelsAtOnceAndNeverWritesSlotZero)
{
    setMode(RateMode::Off);
    setRate(3, 1);  // rates are ignored
    setScene(0, 0, 200);
    setScene(0, 3, 250);
    setScene(0, 255, 17);
    tick();
    EXPECT_EQ(slot(3), 250);
    EXPECT_EQ(slot(255), 17);
    EXPECT_EQ(slot(0), 0) << "cell 0 of a scene is never sent";
}

TEST_F(CycleTest, AutomatModeWhileStoppedBehavesLikeOff)
{
    setMode(RateMode::Automat);
    e->seqStep.set(2, 1);
    setScene(0, 3, 250);
    tick();
    EXPECT_EQ(slot(3), 250);
}

TEST_F(CycleTest, AutomatModeWhilePlayingGlidesBySequencerStep)
{
    setMode(RateMode::Automat);
    e->shared.playMode = 1;
    e->seqStep.set(2, 25);   // channel 3
    e->seqStep.set(3, 255);  // channel 4
    setScene(0, 3, 100);
    setScene(0, 4, 100);
    setRate(3, 255);  // the fader rates play no part here
    tick();
    EXPECT_EQ(slot(3), 25);
    EXPECT_EQ(slot(4), 100);
    tick(3);
    EXPECT_EQ(slot(3), 100);
    setScene(0, 3, 0);
    tick();
    EXPECT_EQ(slot(3), 75);
}

TEST_F(CycleTest, NoSmoothingItemLeavesTheFrameAlone)
{
    setMode(RateMode::Off);
    setScene(0, 5, 80);
    tick();
    setMode(RateMode::None);
    setScene(0, 5, 10);
    tick();
    EXPECT_EQ(slot(5), 80);
}

TEST_F(CycleTest, ReleasedBlackoutFadesBackFromTheLevelLastSent)
{
    setMode(RateMode::Faders);
    setScene(0, 6, 200);
    setRate(6, 100);
    tick(2);
    ASSERT_EQ(slot(6), 200);
    e->controls.blackOut = true;
    tick();
    EXPECT_EQ(slot(6), 0);
    e->controls.blackOut = false;
    tick();
    EXPECT_EQ(slot(6), 100);
    tick();
    EXPECT_EQ(slot(6), 200);
}

TEST_F(CycleTest, ReleasedBlackoutWithDefaultRatesRestoresTheSceneInOneTick)
{
    setMode(RateMode::Faders);
    for (int c = 1; c <= 255; ++c) {
        setScene(0, c, c);
    }
    e->controls.blackOut = true;
    tick(3);
    e->controls.blackOut = false;
    tick();
    for (int c = 1; c <= 255; ++c) {
        ASSERT_EQ(slot(c), c);
    }
}

}  // namespace
}  // namespace velantra
