#include "engine/sequencer.h"

#include <algorithm>
#include <cstdlib>

namespace velantra {

SceneLevels sceneLevels(const Engine& engine, int scene)
{
    SceneLevels levels{};
    const int base = sceneAddress(static_cast<std::uint8_t>(scene));
    for (int c = 1; c <= LastChannel; ++c) {
        const int cell = base + c;
        levels[static_cast<std::size_t>(c - 1)] = engine.memory.get(static_cast<std::size_t>(cell));
    }
    return levels;
}

void computeSeqStep(Engine& engine, int intervalMs, const SceneLevels& from)
{
    const int a = std::clamp(intervalMs / 50, 1, 255);
    const SceneLevels to = sceneLevels(engine, engine.memory.get(CellScene));
    for (std::size_t i = 0; i < to.size(); ++i) {
        const int d = to[i] != from[i] ? std::abs(to[i] - from[i]) : 1;
        engine.seqStep.set(i, static_cast<std::uint8_t>(std::max(d / a, 1)));
    }
}

bool advanceScene(Engine& engine)
{
    const int current = engine.memory.get(CellScene);
    if (current < engine.memory.get(CellLastScene)) {
        engine.memory.set(CellScene, static_cast<std::uint8_t>(current + 1));
        return false;
    }
    engine.memory.set(CellScene, 0);
    return true;
}

}  // namespace velantra
