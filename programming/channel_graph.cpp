#include "programming/channel_graph.h"

#include <algorithm>
#include <cstdlib>

namespace velantra {

namespace {

std::size_t cell(int scene, int channel)
{
    const int index = sceneAddress(static_cast<std::uint8_t>(scene)) + channel;
    return static_cast<std::size_t>(index);
}

}  // namespace

GraphPoint graphPoint(int x, int y, const GraphZoom& zoom, int view)
{
    const int column = std::clamp(x, 0, GraphWidth - 1) / 2;
    return {column / zoom.step + graphFirstScene(zoom, view), clampLevel(GraphHeight - 1 - y)};
}

std::uint8_t graphLevel(const ShowMemory& memory, int scene, int channel)
{
    return memory.get(cell(scene, channel));
}

void setGraphLevel(ShowMemory& memory, int scene, int channel, std::uint8_t level)
{
    memory.set(cell(scene, channel), level);
}

void applyGraphTool(ShowMemory& memory, GraphTool tool, int channel, GraphPoint point)
{
    const int last = tool == GraphTool::Pen ? GraphPenLastScene : point.scene;
    for (int s = point.scene; s <= last; ++s) {
        setGraphLevel(memory, s, channel, point.level);
    }
}

void rampGraph(ShowMemory& memory, int channel, int anchor, int scene)
{
    const int lo = std::min(anchor, scene);
    const int hi = std::max(anchor, scene);
    const int d = hi - lo;
    if (d == 0) {
        return;
    }
    const int from = graphLevel(memory, lo, channel);
    const int to = graphLevel(memory, hi, channel);
    const int step = std::abs(to - from) / d;
    const int sign = to > from ? 1 : (to < from ? -1 : 0);
    for (int k = 1; k <= d; ++k) {
        setGraphLevel(memory, lo + k, channel, static_cast<std::uint8_t>(from + sign * k * step));
    }
}

}  // namespace velantra
