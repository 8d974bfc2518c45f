// The four-channel chasers without their page: the patterns, the walk forward
// and back, and what a step puts on the output.
#include "engine/automat.h"
#include "tests/cycle_fixture.h"

#include <array>
#include <vector>

namespace velantra {
namespace {

constexpr std::uint8_t B = 200;
constexpr std::uint8_t D = 7;

struct PatternCase {
    int program, step;
    AutomatLevels levels;
};

class AutomatPatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(AutomatPatternTest, LightsTheSlotsOfItsStep)
{
    const PatternCase c = GetParam();
    EXPECT_EQ(automatPattern(c.program, c.step, B, D), c.levels);
}

INSTANTIATE_TEST_SUITE_P(Programs, AutomatPatternTest,
                         ::testing::Values(PatternCase{1, 0, {B, D, D, D}}, PatternCase{1, 6, {D, D, B, D}},
                                           PatternCase{2, 3, {B, D, D, B}}, PatternCase{2, 5, {D, B, B, D}},
                                           PatternCase{3, 1, {D, D, B, B}}, PatternCase{3, 4, {D, B, B, D}},
                                           PatternCase{4, 3, {B, B, B, B}}, PatternCase{4, 5, {D, D, B, B}},
                                           PatternCase{4, 7, {D, D, D, D}}, PatternCase{1, 3, {D, D, D, B}},
                                           PatternCase{2, 0, {B, B, D, D}}, PatternCase{3, 7, {B, D, D, B}}));

struct WalkCase {
    int automat, period, turn;  // turn: index of the first step backward
};

class AutomatWalkTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(AutomatWalkTest, TurnsBackAtStepThreeAndRepeatsAfterAFullCycle)
{
    const auto [a, period, turn] = GetParam();
    AutomatState automat;
    std::vector<int> steps{0};
    for (int i = 0; i < 2 * period; ++i) {
        advanceAutomat(automat, AutomatSetups[a]);
        steps.push_back(automat.step.load());
    }
    int firstBack = 1;
    while (steps[firstBack] == (steps[firstBack - 1] + 1) % 8) {
        ++firstBack;
    }
    EXPECT_EQ(firstBack, turn);
    EXPECT_EQ(steps[turn - 1], 3);
    EXPECT_EQ(steps[turn], 2);
    EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + period),
              std::vector<int>(steps.begin() + period, steps.end() - 1));
    // The walk back uses the same eight steps: only the full cycle repeats.
    for (int p = 8; p < period; p += 8) {
        EXPECT_NE(std::vector<int>(steps.begin(), steps.begin() + period - p),
                  std::vector<int>(steps.begin() + p, steps.begin() + period))
            << "repeats after " << p;
    }
}

INSTANTIATE_TEST_SUITE_P(Automats, AutomatWalkTest, ::testing::Values(WalkCase{0, 168, 76}, WalkCase{1, 200, 92}));

using AutomatOutputTest = CycleTest;

TEST_F(AutomatOutputTest, StepSendsFreshLevelsToItsFourSlots)
{
    setMode(RateMode::Off);
    for (int c = 1; c <= 255; ++c) {
        setScene(0, c, 50);
    }
    e->memory.set(CellAvt2Bright, 240);
    e->memory.set(CellAvt2Dark, 3);
    setAutomatFirst(*e, 1, 250);
    runAutomatStep(*e, 1, 1);
    tick();
    EXPECT_EQ(e->memory.get(CellAvt2Channel), 250);
    const std::array shown{slot(250), slot(251), slot(252), slot(253), slot(254), slot(255)};
    EXPECT_EQ(shown, (std::array{50, 3, 240, 3, 3, 50}));

    e->memory.set(CellAvt2Bright, 90);  // read again at every step
    runAutomatStep(*e, 1, 1);
    tick();
    EXPECT_EQ(slot(253), 90);
}

TEST(AutomatPeriodTest, IsTheSquareOfTheTempoWithZeroReadAsTwenty)
{
    EXPECT_EQ(automatPeriod(0), 400);
    EXPECT_EQ(automatFlashesPerMinute(automatPeriod(7)), 1224);
}

}  // namespace
}  // namespace velantra
