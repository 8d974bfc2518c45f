#include "engine/engine.h"

#include <algorithm>

namespace velantra {

void ShowMemory::writeHeader()
{
    for (int i = 0; i < HeaderSize; ++i) {
        const std::uint8_t byte =
            i < ShowHeaderTextLength ? static_cast<std::uint8_t>(ShowHeaderText[i]) : std::uint8_t{0};
        set(i, byte);
    }
}

Engine::Engine()
{
    resetPatch();
}

void Engine::resetPatch()
{
    for (int k = 0; k < CoderEntries; ++k) {
        coderTable.set(k, static_cast<std::uint16_t>(k));
    }
}

void Engine::publishSceneAddress(std::uint8_t scene)
{
    shared.sceneAddr.store(sceneAddress(scene), std::memory_order_relaxed);
}

void Engine::DataWrite(std::uint8_t scene, std::uint8_t channel, int value)
{
    memory.set(sceneAddress(scene) + channel, clampLevel(value));
}

std::uint8_t Engine::DataRead(std::uint8_t scene, std::uint8_t channel) const
{
    return memory.get(sceneAddress(scene) + channel);
}

void Engine::DataWriteXY(std::uint8_t scene, int x, int y)
{
    const int p = std::min<int>(shared.xyChannel, XyChannelMax);
    DataWrite(scene, static_cast<std::uint8_t>(p + 1), x);
    DataWrite(scene, static_cast<std::uint8_t>(p + 2), y);
}

void Engine::ClearAll()
{
    sceneClipboard.fill(0);
    dmxFrame.fill(0, 511, 0);
    shownFrame.fill(0, 511, 0);
    memory.fill(RateBase, RateBase + 255, 255);
    memory.fill(PictureBase, ShowMemoryTop, 0);
    memory.writeHeader();

    if (hooks.disableUndo) {
        hooks.disableUndo();
    }
    shared.showNamed = 0;
    if (hooks.untitledCaption) {
        hooks.untitledCaption();
    }
    if (hooks.resetFaderBank) {
        hooks.resetFaderBank();
    }

    memory.set(CellFormRed, 190);
    memory.set(CellFormGreen, 197);
    memory.set(CellFormBlue, 190);
    memory.set(CellFormColorOn, 1);
    shared.playMode.store(0, std::memory_order_relaxed);
    memory.set(CellTempo, 44);
    if (hooks.applyTempo) {
        hooks.applyTempo();
    }
    memory.set(CellScene, 0);
    memory.set(CellLastScene, 1);

    if (hooks.resetGraphZoom) {
        hooks.resetGraphZoom();
    }
}

}  // namespace velantra
