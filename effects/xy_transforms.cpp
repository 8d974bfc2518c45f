#include "effects/xy_transforms.h"

#include <algorithm>

namespace velantra {

namespace {

// One step of the size buttons on one level: values 1..127 and 128..254 move
// towards the middle (shrink) or away from it (grow); 0 and 255 stay.
int shrinkLevel(int v)
{
    if (v >= 1 && v <= 127) {
        ++v;
    }
    if (v >= 128 && v <= 254) {
        --v;
    }
    return v;
}

int growLevel(int v)
{
    if (v >= 1 && v <= 127) {
        --v;
    }
    if (v >= 128 && v <= 254) {
        ++v;
    }
    return v;
}

// The pair's first channel as the engine writes it.
std::uint8_t xChannel(const Engine& engine)
{
    return static_cast<std::uint8_t>(std::min<int>(engine.shared.xyChannel, XyChannelMax) + 1);
}

// Scene indexes of the range, limited to the show.
int firstScene(const XyRange& range)
{
    return std::max(range.from, 1) - 1;
}
int lastScene(const XyRange& range)
{
    return std::min(range.to, SceneCount) - 1;
}

}  // namespace

LevelPair stepPoint(int code, LevelPair point)
{
    auto& [x, y] = point;
    switch (code) {
    case XyRight:
        x += x != 255 ? 1 : 0;
        break;
    case XyLeft:
        x -= x != 0 ? 1 : 0;
        break;
    case XyUp:
        y += y != 255 ? 1 : 0;
        break;
    case XyDown:
        y -= y != 0 ? 1 : 0;
        break;
    case XyMirrorX:
        x = 255 - x;
        break;
    case XyMirrorY:
        y = 255 - y;
        break;
    case XyShrink:
        x = shrinkLevel(x);
        y = shrinkLevel(y);
        break;
    case XyGrow:
        x = growLevel(x);
        y = growLevel(y);
        break;
    default:
        break;
    }
    return point;
}

void stepRange(Engine& engine, const XyRange& range, int code)
{
    const auto c = xChannel(engine);
    for (int s = firstScene(range); s <= lastScene(range); ++s) {
        const auto scene = static_cast<std::uint8_t>(s);
        const LevelPair moved = stepPoint(code, {engine.DataRead(scene, c), engine.DataRead(scene, c + 1)});
        engine.DataWrite(scene, c, moved.p);
        engine.DataWrite(scene, c + 1, moved.q);
    }
}

std::vector<LevelPair> pathPoints(const Engine& engine, const XyRange& range)
{
    const auto c = xChannel(engine);
    std::vector<LevelPair> points;
    for (int s = firstScene(range); s <= lastScene(range); ++s) {
        const auto scene = static_cast<std::uint8_t>(s);
        points.push_back({engine.DataRead(scene, c), engine.DataRead(scene, c + 1)});
    }
    return points;
}

std::optional<int> findScene(const Engine& engine, const XyRange& range, int x, int y)
{
    const auto c = xChannel(engine);
    for (int s = firstScene(range); s <= lastScene(range); ++s) {
        const auto scene = static_cast<std::uint8_t>(s);
        const int px = engine.DataRead(scene, c);
        const int py = engine.DataRead(scene, c + 1);
        if (px >= x - XyHitReach && px <= x + XyHitReach && py >= y - XyHitReach && py <= y + XyHitReach) {
            return s;
        }
    }
    return std::nullopt;
}

void rotateRange(Engine& engine, const XyRange& range, int theta)
{
    if (theta == 0) {
        return;
    }
    const auto c = xChannel(engine);
    for (int s = firstScene(range); s <= lastScene(range); ++s) {
        const auto scene = static_cast<std::uint8_t>(s);
        const LevelPair turned = RotateXY(engine.DataRead(scene, c), engine.DataRead(scene, c + 1), theta);
        engine.DataWriteXY(scene, turned.p, turned.q);
    }
}

void copyPairs(Engine& engine, const XyRange& range, const std::vector<int>& targets)
{
    const auto c = xChannel(engine);
    for (int s = firstScene(range); s <= lastScene(range); ++s) {
        const auto scene = static_cast<std::uint8_t>(s);
        const int x = engine.DataRead(scene, c);
        const int y = engine.DataRead(scene, c + 1);
        for (int target : targets) {
            const auto t = static_cast<std::uint8_t>(std::clamp(target, 0, XyChannelMax) + 1);
            engine.DataWrite(scene, t, x);
            engine.DataWrite(scene, t + 1, y);
        }
    }
}

LevelPair levelsAt(int column, int row)
{
    return {std::clamp(column, 0, 255), 255 - std::clamp(row, 0, 255)};
}

}  // namespace velantra
