// The graph zoom an opened show gets from its number of scenes.
#include "programming/graph_zoom.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velantra {
namespace {

class GraphZoomTest : public ::testing::TestWithParam<std::tuple<int, int, int, int>> {};

TEST_P(GraphZoomTest, PositionAndScaleFollowTheLastScene)
{
    const auto [lastScene, position, step, scenes] = GetParam();
    const GraphZoom zoom = graphZoomForShow(static_cast<std::uint8_t>(lastScene));
    EXPECT_EQ(zoom.position, position);
    EXPECT_EQ(zoom.step, step);
    EXPECT_EQ(zoom.scenes, scenes);
}

INSTANTIATE_TEST_SUITE_P(Shows, GraphZoomTest,
                         ::testing::Values(std::make_tuple(0, 3, 8, 32), std::make_tuple(1, 3, 8, 32),
                                           std::make_tuple(85, 3, 8, 32), std::make_tuple(86, 2, 4, 64),
                                           std::make_tuple(128, 2, 4, 64), std::make_tuple(129, 1, 2, 128),
                                           std::make_tuple(255, 1, 2, 128)));

TEST(GraphZoom, PositionsOutsideTheBarAreHeldAtItsEnds)
{
    EXPECT_EQ(graphZoomAt(-1).position, 0);
    EXPECT_EQ(graphZoomAt(0).scenes, 256);
    EXPECT_EQ(graphZoomAt(9).position, 3);
}

}  // namespace
}  // namespace velantra
