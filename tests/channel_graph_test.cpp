// The channel graph's arithmetic: where the mouse points, what each tool
// writes into the scene cells and the ramp of the line tool.
#include "programming/channel_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velantra {
namespace {

constexpr int Channel = 7;

std::size_t cellIndex(int scene, int channel)
{
    const int index = SceneBase + 256 * scene + channel;
    return static_cast<std::size_t>(index);
}

std::uint8_t cellOf(const ShowMemory& m, int scene, int channel = Channel)
{
    return m.get(cellIndex(scene, channel));
}

void put(ShowMemory& m, int scene, int level, int channel = Channel)
{
    m.set(cellIndex(scene, channel), static_cast<std::uint8_t>(level));
}

// --- Mouse to scene and level ----------------------------------------------

struct PointCase {
    int x, y, zoomPosition, view;
    int scene, level;
};

class GraphPointTest : public ::testing::TestWithParam<PointCase> {};

TEST_P(GraphPointTest, APixelNamesTheSceneOfItsColumnAndTheLevelOfItsRow)
{
    const auto& c = GetParam();
    const GraphPoint p = graphPoint(c.x, c.y, graphZoomAt(c.zoomPosition), c.view);
    EXPECT_EQ(p.scene, c.scene);
    EXPECT_EQ(p.level, c.level);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, GraphPointTest,
    ::testing::Values(PointCase{0, 0, 3, 0, 0, 255},        // top left: first scene, full level
                      PointCase{15, 255, 3, 0, 0, 0},       // last pixel of a 16-pixel column, bottom row
                      PointCase{16, 100, 3, 2, 65, 155},    // second column of the third view
                      PointCase{-40, -9, 3, 2, 64, 255},    // left of and above the chart
                      PointCase{900, 400, 3, 2, 95, 0},     // right of and below: the view's last scene
                      PointCase{511, 128, 0, 0, 255, 127},  // zoom 1: two pixels a scene, 256 in view
                      PointCase{9, 1, 1, 1, 130, 254}));    // zoom 2: four pixels a scene, second half

TEST(ChannelGraph, PercentIsRoundedUp)
{
    EXPECT_EQ(levelPercent(0), 0);
    EXPECT_EQ(levelPercent(1), 1);
    EXPECT_EQ(levelPercent(128), 51);
    EXPECT_EQ(levelPercent(254), 100);
    EXPECT_EQ(levelPercent(255), 100);
}

// --- Tools -------------------------------------------------------------------

TEST(ChannelGraph, ArrowAndLineSetOnlyTheSceneUnderTheMouse)
{
    for (GraphTool tool : {GraphTool::Arrow, GraphTool::Line}) {
        ShowMemory m;
        applyGraphTool(m, tool, Channel, {40, 200});
        EXPECT_EQ(cellOf(m, 40), 200);
        EXPECT_EQ(cellOf(m, 39), 0);
        EXPECT_EQ(cellOf(m, 41), 0);
        EXPECT_EQ(cellOf(m, 40, Channel + 1), 0);
        EXPECT_EQ(cellOf(m, 40, Channel - 1), 0);
    }
}

TEST(ChannelGraph, PenFillsToScene254AndLeavesTheLastScene)
{
    ShowMemory m;
    put(m, 249, 3);
    put(m, 255, 4);
    applyGraphTool(m, GraphTool::Pen, Channel, {250, 90});
    for (int s = 250; s <= 254; ++s) {
        EXPECT_EQ(cellOf(m, s), 90) << "scene " << s;
    }
    EXPECT_EQ(cellOf(m, 249), 3);
    EXPECT_EQ(cellOf(m, 255), 4);

    applyGraphTool(m, GraphTool::Pen, Channel, {255, 1});  // past 254: nothing
    EXPECT_EQ(cellOf(m, 255), 4);
}

// --- The ramp ------------------------------------------------------------------

struct RampCase {
    int anchor, anchorLevel, scene, sceneLevel;
    std::vector<int> after;  // levels of the scenes after the lower one, up to the higher one
};

class RampTest : public ::testing::TestWithParam<RampCase> {};

TEST_P(RampTest, ScenesAfterTheLowerEndStepTowardsTheHigherEnd)
{
    const auto& c = GetParam();
    ShowMemory m;
    put(m, c.anchor, c.anchorLevel);
    put(m, c.scene, c.sceneLevel);
    const int lo = std::min(c.anchor, c.scene);
    const int hi = std::max(c.anchor, c.scene);
    put(m, hi + 1, 77);
    const int loLevel = cellOf(m, lo);

    rampGraph(m, Channel, c.anchor, c.scene);
    ASSERT_EQ(int(c.after.size()), hi - lo);
    for (std::size_t k = 0; k < c.after.size(); ++k) {
        EXPECT_EQ(cellOf(m, lo + 1 + int(k)), c.after[k]) << "scene " << lo + 1 + int(k);
    }
    EXPECT_EQ(cellOf(m, lo), loLevel);
    EXPECT_EQ(cellOf(m, hi + 1), 77);
}

// Rising (the higher end rounded down), falling towards an anchor above, level,
// one scene (nothing to do), and a rise of 5 over 20 scenes (step 0).
INSTANTIATE_TEST_SUITE_P(Ramps, RampTest,
                         ::testing::Values(RampCase{10, 0, 13, 100, {33, 66, 99}},
                                           RampCase{9, 0, 5, 200, {150, 100, 50, 0}},
                                           RampCase{3, 60, 6, 60, {60, 60, 60}}, RampCase{12, 80, 12, 80, {}},
                                           RampCase{0, 10, 20, 15, std::vector<int>(20, 10)}));

}  // namespace
}  // namespace velantra
