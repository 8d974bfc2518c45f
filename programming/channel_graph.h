// The channel graph: one channel's level across the scenes of the show, drawn
// as one column per scene and edited with the mouse.
//
// The chart is 512 x 256 pixels. Row 0 is level 255, row 255 is level 0; each
// scene of the view is a column 2 * zoom pixels wide, the view holding
// zoom.scenes scenes starting at view * zoom.scenes. Scene indexes here are
// the show's (0..255); the page shows them counted from 1.
//
// Levels are read and written straight in the scene cells, which the output
// tick reads at the same time; every access goes through the memory's atomic
// get/set, so editing is safe while the show plays.
#pragma once

#include "engine/show_memory.h"
#include "programming/graph_zoom.h"

#include <cstdint>

namespace velantra {

inline constexpr int GraphWidth = 512;
inline constexpr int GraphHeight = 256;
// The pen writes from the scene under the mouse up to this scene.
inline constexpr int GraphPenLastScene = 254;

// What a press or a drag with a button held does.
enum class GraphTool {
    Arrow,  // sets the scene under the mouse
    Line,   // sets the scene under the mouse; a right press ramps from the anchor
    Pen,    // sets the scene under the mouse and every later one up to GraphPenLastScene
};

// A scene and a level, as the mouse points at them.
struct GraphPoint {
    int scene = 0;
    std::uint8_t level = 0;
};

// Any thread. The scene and level under pixel (x, y) of the chart: x is held
// to the chart (0..511), a row above it gives 255, a row below it gives 0.
GraphPoint graphPoint(int x, int y, const GraphZoom& zoom, int view);

// Any thread. The first scene of a view.
constexpr int graphFirstScene(const GraphZoom& zoom, int view)
{
    return view * zoom.scenes;
}

// Any thread. Width in pixels of one scene's column.
constexpr int graphColumnWidth(const GraphZoom& zoom)
{
    return 2 * zoom.step;
}

// Any thread. A level in percent, rounded up: 255 is 100, 1 is 1, 0 is 0.
constexpr int levelPercent(int level)
{
    return (level * 100 + 254) / 255;
}

// Any thread. Never blocks. Level of channel (1..255) in scene (0..255).
std::uint8_t graphLevel(const ShowMemory& memory, int scene, int channel);
// Any thread. Never blocks. Sets the level of channel (1..255) in scene (0..255).
void setGraphLevel(ShowMemory& memory, int scene, int channel, std::uint8_t level);

// GUI thread. What a press or a drag with a button held writes with tool at
// point: the arrow and the line set point.scene, the pen sets point.scene
// through GraphPenLastScene (nothing when point.scene is past it).
void applyGraphTool(ShowMemory& memory, GraphTool tool, int channel, GraphPoint point);

// GUI thread. A straight ramp of channel's levels between scenes anchor and
// scene (either order). With lo, hi the lower and higher of the two and d = hi - lo,
// every scene lo + k (k = 1..d, so hi as well) gets the level of lo moved
// k * step towards the level of hi, step = |level(hi) - level(lo)| div d;
// equal levels fill with the level of lo. Nothing when the two are one scene.
void rampGraph(ShowMemory& memory, int channel, int anchor, int scene);

}  // namespace velantra
