// The XY editor's edits of the path as a whole: one step of a transform
// button, the hit test of a view position, the turn and the copy to other
// channel pairs. The edited pair is channels xyChannel + 1 (X) and + 2 (Y)
// of every scene of the range.
#pragma once

#include "effects/xy_figures.h"
#include "engine/engine.h"

#include <optional>
#include <vector>

namespace velantra {

// The editor's "no scene found" value.
inline constexpr int XyNoScene = 300;
// How far (in levels, either way) a point may lie from the mouse and still be hit.
inline constexpr int XyHitReach = 3;

// The transform buttons, by their repeat code.
enum XyStep {
    XyRight = 1,
    XyLeft = 2,
    XyUp = 3,
    XyDown = 4,
    XyMirrorX = 5,
    XyMirrorY = 6,
    XyShrink = 7,
    XyGrow = 8,
};

// Scenes from..to, 1-based and inclusive; empty when from > to.
struct XyRange {
    int from = 1;
    int to = 32;
};

// Any thread. Where one step of transform code (1..8) puts a point; other codes leave it.
LevelPair stepPoint(int code, LevelPair point);
// GUI thread. stepPoint on the pair of every scene of the range.
void stepRange(Engine& engine, const XyRange& range, int code);

// GUI thread. The points of the range in scene order (X, Y of each scene).
std::vector<LevelPair> pathPoints(const Engine& engine, const XyRange& range);

// GUI thread. The lowest-numbered scene index of the range whose point lies
// within XyHitReach of (x, y) in both levels; nothing when none does.
std::optional<int> findScene(const Engine& engine, const XyRange& range, int x, int y);

// GUI thread. Turns every point of the range by theta degrees (RotateXY);
// theta 0 changes nothing.
void rotateRange(Engine& engine, const XyRange& range, int theta);

// GUI thread. Per scene of the range: reads X and Y, then writes them into
// channels t + 1 and t + 2 of each target t (0..253) in turn.
void copyPairs(Engine& engine, const XyRange& range, const std::vector<int>& targets);

// Any thread. The levels under a pixel of the 256 x 256 view: each coordinate
// is first limited to 0..255; X is the column, Y = 255 - row.
LevelPair levelsAt(int column, int row);

}  // namespace velantra
