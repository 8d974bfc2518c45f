#include "player/sequencer.h"

#include <algorithm>
#include <cstdlib>

namespace velantra {

void computeSeqStep(Engine& engine, int intervalMs)
{
    const int a = std::clamp(intervalMs / 50, 1, 255);
    const int s = engine.memory.get(CellScene);
    for (int c = 1; c <= LastChannel; ++c) {
        const int now = engine.memory.get(SceneBase + 256 * s + c);
        const int before = engine.memory.get(SceneBase + 256 * (s - 1) + c);
        const int d = now != before ? std::abs(now - before) : 1;
        engine.seqStep.set(static_cast<std::size_t>(c - 1), static_cast<std::uint8_t>(std::max(d / a, 1)));
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
