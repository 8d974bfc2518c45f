// The XY figures: the circle mapping, the turn of a point and the nine figure
// generators, drawn on a whole engine. Every expected level below is worked out
// by hand in the comment next to it (trigonometric values to four places).
#include "effects/xy_figures.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace velantra {

void PrintTo(const LevelPair& pair, std::ostream* os)
{
    *os << "(" << pair.p << ", " << pair.q << ")";
}

namespace {

// ---------------------------------------------------------------------------
// Sinus: k = ceil(sin or cos · diameter / 2); level 127 + k for k >= 0, 128 + k below.

struct SinusCase {
    int degrees, diameter;
    LevelPair expected;
};

void PrintTo(const SinusCase& c, std::ostream* os)
{
    *os << c.degrees << "° on " << c.diameter;
}

class SinusTest : public ::testing::TestWithParam<SinusCase> {};

TEST_P(SinusTest, PutsTheAngleOnTheCircle)
{
    const SinusCase c = GetParam();
    EXPECT_EQ(Sinus(c.degrees, c.diameter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, SinusTest,
    ::testing::Values(
        // Diameter 200, half 100: 0° sin 0 → 127, cos 100 → 227; 90° the other way round;
        // 180° cos −100 → 128 − 100 = 28.
        SinusCase{0, 200, {127, 227}}, SinusCase{90, 200, {227, 127}}, SinusCase{180, 200, {127, 28}},
        // Diameter 255, half 127.5: ceil(127.5) = 128 → 255, ceil(−127.5) = −127 → 1: the full 1..255.
        SinusCase{0, 255, {127, 255}}, SinusCase{90, 255, {255, 127}}, SinusCase{180, 255, {127, 1}},
        SinusCase{270, 255, {1, 127}},
        // 30°: sin 0.5 · 100 = 50 exactly → 177; cos 0.8660 · 100 = 86.60 → 87 → 214.
        // −330° and 390° are the same direction.
        SinusCase{30, 200, {177, 214}}, SinusCase{-330, 200, {177, 214}}, SinusCase{390, 200, {177, 214}},
        // 210°, half 50: sin −0.5 · 50 = −25 → 103; cos −0.8660 · 50 = −43.30 → −43 → 85.
        SinusCase{210, 100, {103, 85}}));

// ---------------------------------------------------------------------------
// RotateXY: offsets dx, dy in 1/128 from the centre, radius r ≤ 1, angle acos(±dx / r)
// + theta (+ 180 below the middle), then Sinus(ceil(angle), ceil(255 r)).

struct TurnCase {
    int x, y, theta;
    LevelPair expected;
};

void PrintTo(const TurnCase& c, std::ostream* os)
{
    *os << "(" << c.x << ", " << c.y << ") by " << c.theta << "°";
}

class RotateXYTest : public ::testing::TestWithParam<TurnCase> {};

TEST_P(RotateXYTest, MovesThePoint)
{
    const TurnCase c = GetParam();
    EXPECT_EQ(RotateXY(c.x, c.y, c.theta), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Points, RotateXYTest,
    ::testing::Values(
        // Top (127, 255): dx = −1/128, dy = 1, r limited to 1, acos(−0.0078) = 90.45°.
        // θ 90: ceil(180.45) = 181, diameter 255: sin 181° · 127.5 = −2.23 → −2 → 126,
        // cos 181° · 127.5 = −127.48 → −127 → 1: the bottom.
        TurnCase{127, 255, 90, {126, 1}},
        // θ 270: ceil(360.45) = 361: sin 1° · 127.5 = 2.23 → 3 → 130, cos 127.48 → 128 → 255: stays on top.
        TurnCase{127, 255, 270, {130, 255}},
        // Bottom (128, 0): dx = 1/128, dy = −1, lower half adds 180; t = −dx = −0.0078 → 90.45°.
        // θ 90: ceil(360.45) = 361 → (130, 255) as above: the top.
        TurnCase{128, 0, 90, {130, 255}},
        // Right edge (255, 128): dx = 1, dy = 1/128, r → 1, acos(1) = 0. θ 90: Sinus(90, 255) = (255, 127),
        // still at the right edge; θ 270: Sinus(270, 255) = (1, 127), the left edge.
        TurnCase{255, 128, 90, {255, 127}}, TurnCase{255, 128, 270, {1, 127}},
        // (191, 191): dx = dy = 0.5, r = 0.7071, acos(0.7071) = 45° exactly; diameter ceil(180.31) = 181,
        // half 90.5, 0.7071 · 90.5 = 63.99. θ 90: 135°: sin 63.99 → 64 → 191, cos −63.99 → −63 → 65.
        // θ 270: 315°: sin −63.99 → 65, cos 63.99 → 191.
        TurnCase{191, 191, 90, {191, 65}}, TurnCase{191, 191, 270, {65, 191}}));

// ---------------------------------------------------------------------------
// The figures. Every cell of every scene starts with its own level; after the
// figure only the edited pair of the range's scenes may differ.

using DrawFigure = FigureResult (*)(Engine&, const FigureRange&);

struct Point {
    int scene;  // 1-based
    LevelPair at;
};

struct FigureCase {
    std::string name;
    DrawFigure draw;
    FigureRange range;
    std::vector<Point> points;
    int xyChannel = 0;
};

void PrintTo(const FigureCase& c, std::ostream* os)
{
    *os << c.name << " over " << c.range.from << ".." << c.range.to;
}

std::uint8_t pattern(int scene, int channel)
{
    return static_cast<std::uint8_t>(scene * 7 + channel * 31 + 5);
}

class FigureFixture {
protected:
    FigureFixture()
    {
        for (int s = 0; s < SceneCount; ++s) {
            for (int c = 0; c < SceneSize; ++c) {
                e->DataWrite(std::uint8_t(s), std::uint8_t(c), pattern(s, c));
            }
        }
    }

    LevelPair pairAt(int scene, int xyChannel) const
    {
        const auto index = std::uint8_t(scene - 1);
        return {e->DataRead(index, std::uint8_t(xyChannel + 1)), e->DataRead(index, std::uint8_t(xyChannel + 2))};
    }

    // Cells that differ from their starting level, except the pair of the scenes in from..to.
    std::vector<std::string> changedOutside(int from, int to, int xyChannel) const
    {
        std::vector<std::string> changed;
        for (int s = 0; s < SceneCount; ++s) {
            for (int c = 0; c < SceneSize; ++c) {
                const bool edited = s >= from - 1 && s <= to - 1 && (c == xyChannel + 1 || c == xyChannel + 2);
                if (!edited && e->DataRead(std::uint8_t(s), std::uint8_t(c)) != pattern(s, c)) {
                    changed.push_back("scene " + std::to_string(s + 1) + " channel " + std::to_string(c));
                }
            }
        }
        return changed;
    }

    std::unique_ptr<Engine> e = std::make_unique<Engine>();
};

class FigureTest : public FigureFixture, public ::testing::TestWithParam<FigureCase> {};

TEST_P(FigureTest, DrawsItsPointsInsideTheRangeOnly)
{
    const FigureCase& c = GetParam();
    e->shared.xyChannel = std::uint8_t(c.xyChannel);
    EXPECT_EQ(c.draw(*e, c.range), FigureResult::Done);
    for (const Point& point : c.points) {
        EXPECT_EQ(pairAt(point.scene, c.xyChannel), point.at) << "scene " << point.scene;
    }
    EXPECT_EQ(changedOutside(c.range.from, c.range.to, c.xyChannel), std::vector<std::string>{});
}

std::string caseName(const ::testing::TestParamInfo<FigureCase>& info)
{
    return info.param.name;
}

constexpr FigureRange Page{1, 32, 200, 7};

// The page's defaults: scenes 1..32, size 200, option 7 (n = 32, m = 31).
INSTANTIATE_TEST_SUITE_P(
    DefaultPage, FigureTest,
    ::testing::Values(
        // d = 2·(200 div 32) = 12, c0 = 28, x = y = 35, mid index 16. Index 0: (28, 42); index 15 after
        // 15 steps x = y = 215: (208, 222); index 16: x = 227 − 12 + 14 = 229, y = 201: (222, 208);
        // index 31: x = 229 − 15·12 = 49, y = 21: (42, 28).
        FigureCase{"Line", madeLine, Page, {{1, {28, 42}}, {16, {208, 222}}, {17, {222, 208}}, {32, {42, 28}}}},
        // d = 18, h = 9, k = 11, start (28, 29); after 11 steps up (127, 227); 11 steps down-right (226, 29);
        // base from index 22, 9 steps of −25: x = 1.
        FigureCase{"Triangle", madeTreug, Page, {{1, {28, 29}}, {12, {127, 227}}, {23, {226, 29}}, {32, {1, 29}}}},
        // d = 24, k = 8, start 32; corners 32 + 8·24 = 224 at indexes 8, 16, 24; left side 7 steps of −31.
        FigureCase{"Rectangle",
                   madeRect,
                   Page,
                   {{1, {32, 32}}, {9, {32, 224}}, {17, {224, 224}}, {25, {224, 32}}, {32, {7, 32}}}},
        FigureCase{
            "X", madeSix, Page, {{1, {32, 32}}, {9, {32, 224}}, {17, {224, 32}}, {25, {224, 224}}, {32, {7, 7}}}},
        // q = 6, d = 48, x = 28, y = 16, rows 32 apart; 268 > 255 after scene 5 turns left on row 48.
        // Turns after scenes 5, 10, 15, 20, 25, 30: scene 31 at (28, 208), scene 32 (76, 208).
        FigureCase{"Snake",
                   madeSnake,
                   Page,
                   {{1, {28, 16}},
                    {2, {76, 16}},
                    {3, {124, 16}},
                    {4, {172, 16}},
                    {5, {220, 16}},
                    {6, {220, 48}},
                    {32, {76, 208}}}},
        // Diameter 200, step 350 div 31 = 11. 0°: (127, 227). 11°: sin 0.1908·100 = 19.08 → 20 → 147,
        // cos 0.9816·100 = 98.16 → 99 → 226.
        FigureCase{"Circle", madeCucle, Page, {{1, {127, 227}}, {2, {147, 226}}}},
        // Diameter 100, half 50, step 700 div 31 = 22, half range 15.
        // Index 0, 180°: (127, 78), Q + 50 → (127, 128). Index 1, 202°: sin −0.3746·50 = −18.73 → −18 → 110,
        // cos −0.9272·50 = −46.36 → −46 → 82 + 50 = 132. Index 15 redrawn by the lower loop at 0°: (127, 177),
        // Q − 50 → (127, 127). Index 16, 22°: 18.73 → 19 → 146, 46.36 → 47 → 174 − 50 = 124.
        // Index 31, 16·22 = 352°: sin −0.1392·50 = −6.96 → −6 → 122, cos 0.9903·50 = 49.51 → 50 → 127.
        FigureCase{"FigureEight",
                   made8,
                   Page,
                   {{1, {127, 128}}, {2, {110, 132}}, {16, {127, 127}}, {17, {146, 124}}, {32, {122, 127}}}},
        // Diameter 100, h = 50, step 1050 div 31 = 33, quarter 7.
        // Index 0, 90°: (177, 127) + (−50, +50) = (127, 177). Index 1, 57°: sin 0.8387·50 = 41.93 → 42 → 169 − 50
        // = 119, cos 0.5446·50 = 27.23 → 28 → 155 + 50 = 205. Index 7 redrawn by quarter 2 at 180°: (127, 78)
        // + (50, 50). Index 14, quarter 3 at 270°: (78, 127) + (50, −50). Index 21, quarter 4 at 0°: (127, 177)
        // − 50 each. Index 31, −330° = 30°: sin 0.5·50 = 25 → 152 − 50 = 102, cos 0.8660·50 = 43.30 → 44 → 121.
        FigureCase{
            "FourCircles",
            madePent,
            Page,
            {{1, {127, 177}}, {2, {119, 205}}, {8, {177, 128}}, {15, {128, 77}}, {22, {77, 127}}, {32, {102, 121}}}},
        // Diameter 200, step 1750 div 31 = 56, shrink 200 div 31 = 6. 0°: (127, 227). 56°, diameter 194,
        // half 97: sin 0.8290·97 = 80.42 → 81 → 208, cos 0.5592·97 = 54.24 → 55 → 182.
        FigureCase{"Spiral", madeSpiral, Page, {{1, {127, 227}}, {2, {208, 182}}}},
        // The pair at channels 254 and 255 (first channel selector 253): same points, channels 1 and 2 kept.
        FigureCase{"LineOnLastPair", madeLine, Page, {{1, {28, 42}}, {32, {42, 28}}}, 253},
        FigureCase{"CircleOnLastPair", madeCucle, Page, {{1, {127, 227}}}, 253},
        FigureCase{"SnakeOnPair11", madeSnake, Page, {{6, {220, 48}}}, 10}),
    caseName);

constexpr FigureRange Middle{10, 20, 100, 3};  // n = 11, m = 10, first index 9
constexpr FigureRange Short{1, 3, 200, 7};     // n = 3, m = 2

// A range inside the show with a smaller size.
INSTANTIATE_TEST_SUITE_P(
    Middle, FigureTest,
    ::testing::Values(
        // d = 2·9 = 18, c0 = 78, x = y = 81, mid index 15. Index 9: (78, 84). Index 14: x = y = 171 → (168, 174),
        // then 189. Index 15: x = 189 − 18 + 6 = 177, y = 165 → (174, 168). Index 19: 4 steps back, (102, 96).
        FigureCase{"Line", madeLine, Middle, {{10, {78, 84}}, {15, {168, 174}}, {16, {174, 168}}, {20, {102, 96}}}},
        // d = 27, h = 13, k = 4, start (127 − 52, (256 − 108) div 2) = (75, 74). Up to (127, 182) at index 13,
        // down-right to (179, 74) at index 17, base −30 per scene: (149, 74), (119, 74).
        FigureCase{"Triangle",
                   madeTreug,
                   Middle,
                   {{10, {75, 74}}, {11, {88, 101}}, {14, {127, 182}}, {18, {179, 74}}, {20, {119, 74}}}},
        // d = 36, k = 3, start (256 − 108) div 2 = 74; corners 182 at indexes 12, 15, 18; then 182 − 39 = 143.
        FigureCase{"Rectangle",
                   madeRect,
                   Middle,
                   {{10, {74, 74}}, {13, {74, 182}}, {16, {182, 182}}, {19, {182, 74}}, {20, {143, 74}}}},
        FigureCase{"X",
                   madeSix,
                   Middle,
                   {{10, {74, 74}}, {13, {74, 182}}, {16, {182, 74}}, {19, {182, 182}}, {20, {143, 143}}}},
        // q = 10, d = 40, x = 78, y = 128 div 4 = 32, rows 64 apart: 78, 118, 158, 198, 238; 278 > 255 turns
        // left on row 96: 238, 198, 158, 118, 78, 38.
        FigureCase{"Snake", madeSnake, Middle, {{10, {78, 32}}, {14, {238, 32}}, {15, {238, 96}}, {20, {38, 96}}}},
        // Diameter 100, step 150 div 10 = 15. 15°: sin 0.2588·50 = 12.94 → 13 → 140, cos 0.9659·50 = 48.30 → 49
        // → 176. 90° at scene 16: (177, 127). 150° at scene 20: sin 25 exactly → 152, cos −43.30 → −43 → 85.
        FigureCase{
            "Circle", madeCucle, Middle, {{10, {127, 177}}, {11, {140, 176}}, {16, {177, 127}}, {20, {152, 85}}}},
        // Diameter 50, half 25, step 300 div 10 = 30, half range 5. 180°: (127, 103) + 25 → (127, 128).
        // 210°: sin −12.5 → −12 → 116, cos −21.65 → −21 → 107 + 25 = 132. Index 14 at 0°: (127, 152) − 25.
        // Index 19, 150°: sin 12.5 → 13 → 140, cos −21.65 → 107 − 25 = 82.
        FigureCase{
            "FigureEight", made8, Middle, {{10, {127, 128}}, {11, {116, 132}}, {15, {127, 127}}, {20, {140, 82}}}},
        // Diameter 50, h = 25, step 450 div 10 = 45, quarter 2. 90°: (152, 127) + (−25, 25) = (127, 152).
        // 45°: 0.7071·25 = 17.68 → 18 → 145 both → (120, 170). Index 11 at 180°: (127, 103) + 25 each.
        // Index 13 at 270°: (103, 127) + (25, −25). Index 15 at 0°: (127, 152) − 25 each.
        // Index 19 at −180°: (127, 103) − 25 each.
        FigureCase{"FourCircles",
                   madePent,
                   Middle,
                   {{10, {127, 152}},
                    {11, {120, 170}},
                    {12, {152, 128}},
                    {14, {128, 102}},
                    {16, {102, 127}},
                    {20, {102, 78}}}},
        // Diameter 100, step 750 div 10 = 75, shrink 10. 0°: (127, 177). 75° on 90: sin 0.9659·45 = 43.47 → 44
        // → 171, cos 0.2588·45 = 11.65 → 12 → 139. 150° on 80: sin 20 exactly → 147, cos −34.64 → −34 → 94.
        FigureCase{"Spiral", madeSpiral, Middle, {{10, {127, 177}}, {11, {171, 139}}, {12, {147, 94}}}}),
    caseName);

// Short ranges: the polygons' sides would run past the last scene; sizes that
// wrap past 255.
INSTANTIATE_TEST_SUITE_P(
    Short, FigureTest,
    ::testing::Values(
        // d = 2·66 = 132, c0 = 28, mid index 2. (28, 42); x = y = 167 → (160, 174); 299 − 132 ± 14 → (174, 160).
        FigureCase{"Line", madeLine, Short, {{1, {28, 42}}, {2, {160, 174}}, {3, {174, 160}}}},
        // Scenes 1..2: d = 3·100 = 300 mod 256 = 44, h = 22, k = 1, start (105, 106). Left: (105, 106),
        // (127, 150); the right side's second point would fall on scene 3.
        FigureCase{"Triangle", madeTreug, {1, 2, 200, 7}, {{1, {105, 106}}, {2, {127, 150}}}},
        // d = 4·66 = 264 mod 256 = 8, k = 1, start 124. Up (124, 124), (124, 132); right (132, 132); the way
        // down would reach scene 4.
        FigureCase{"Rectangle", madeRect, Short, {{1, {124, 124}}, {2, {124, 132}}, {3, {132, 132}}}},
        // Same start; diagonal to (132, 124); the second way up would reach scene 4.
        FigureCase{"X", madeSix, Short, {{1, {124, 124}}, {2, {124, 132}}, {3, {132, 124}}}},
        // q = 100, d = 800 mod 256 = 32, x = 28, y = 16.
        FigureCase{"Snake", madeSnake, Short, {{1, {28, 16}}, {2, {60, 16}}, {3, {92, 16}}}},
        // Step 350 div 2 = 175. 175°: sin 0.0872·100 = 8.72 → 9 → 136, cos −0.9962·100 = −99.62 → −99 → 29.
        // 350°: sin −0.1736·100 = −17.36 → −17 → 111, cos 0.9848·100 = 98.48 → 99 → 226.
        FigureCase{"Circle", madeCucle, Short, {{1, {127, 227}}, {2, {136, 29}}, {3, {111, 226}}}},
        // Diameter 100, step 350, half range 1. 180°: (127, 128). Index 1 redrawn at 0°: (127, 127).
        // 350°: sin −8.68 → −8 → 120, cos 49.24 → 50 → 177 − 50 = 127.
        FigureCase{"FigureEight", made8, Short, {{1, {127, 128}}, {2, {127, 127}}, {3, {120, 127}}}},
        // Quarter 0: quarters 1..3 each draw only index 0, quarter 4 redraws it at 0°: (77, 127). Step 525:
        // −525° = −165°: sin −0.2588·50 = −12.94 → −12 → 116 − 50 = 66, cos −0.9659·50 = −48.30 → −48 → 80 − 50
        // = 30. −1050° = 30°: (152, 171) − 50 each → (102, 121).
        FigureCase{"FourCircles", madePent, Short, {{1, {77, 127}}, {2, {66, 30}}, {3, {102, 121}}}},
        // Step 875, shrink 100. 0° on 200: (127, 227). 875° = 155° on 100: sin 0.4226·50 = 21.13 → 22 → 149,
        // cos −0.9063·50 = −45.32 → −45 → 83. Diameter 0: (127, 127).
        FigureCase{"Spiral", madeSpiral, Short, {{1, {127, 227}}, {2, {149, 83}}, {3, {127, 127}}}},
        // Size 300, option 0: diameter 300 mod 256 = 44, shrink 150, step 0. (127, 127 + 22); diameter 44 − 150
        // = −106 → 150: (127, 202); then 0: (127, 127).
        FigureCase{"SpiralWrapped", madeSpiral, {1, 3, 300, 0}, {{1, {127, 149}}, {2, {127, 202}}, {3, {127, 127}}}},
        // Scenes 1..4 (m = 3, still one corner per side): d = 3·30 = 90, h = 45, start (82, 83). (82, 83),
        // (127, 173); down-right (172, 83); base −90: (82, 83).
        FigureCase{"TriangleOneCorner",
                   madeTreug,
                   {1, 4, 120, 0},
                   {{1, {82, 83}}, {2, {127, 173}}, {3, {172, 83}}, {4, {82, 83}}}},
        // Scenes 1..7 (m = 6, two corners per side): d = 4·20 = 80, start (256 − 160) div 2 = 48.
        FigureCase{"RectangleTwoCorners",
                   madeRect,
                   {1, 7, 140, 0},
                   {{1, {48, 48}},
                    {2, {48, 128}},
                    {3, {48, 208}},
                    {4, {128, 208}},
                    {5, {208, 208}},
                    {6, {208, 128}},
                    {7, {208, 48}}}},
        // Size 300, option 0: diameter 300 mod 256 = 44, step 0: (127, 127 + 22) on every scene.
        FigureCase{"CircleWrapped", madeCucle, {1, 3, 300, 0}, {{1, {127, 149}}, {3, {127, 149}}}},
        // Scene 256 alone: the line's first point, c0 = 28: (28, 42).
        FigureCase{"LineOnLastScene", madeLine, {256, 256, 200, 7}, {{256, {28, 42}}}}),
    caseName);

// ---------------------------------------------------------------------------
// The figures that divide by to − from refuse a range of one scene.

struct OneSceneCase {
    std::string name;
    DrawFigure draw;
};

void PrintTo(const OneSceneCase& c, std::ostream* os)
{
    *os << c.name;
}

class OneSceneTest : public FigureFixture, public ::testing::TestWithParam<OneSceneCase> {};

TEST_P(OneSceneTest, WritesNothing)
{
    EXPECT_EQ(GetParam().draw(*e, {5, 5, 200, 7}), FigureResult::OneScene);
    EXPECT_EQ(changedOutside(0, -1, 0), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Dividing, OneSceneTest,
                         ::testing::Values(OneSceneCase{"Snake", madeSnake}, OneSceneCase{"Circle", madeCucle},
                                           OneSceneCase{"FigureEight", made8}, OneSceneCase{"FourCircles", madePent},
                                           OneSceneCase{"Spiral", madeSpiral}),
                         [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace velantra
