#include "engine/scene_ops.h"

#include <algorithm>
#include <array>

namespace velantra {

namespace {

std::uint8_t currentScene(const Engine& engine)
{
    return engine.memory.get(CellScene);
}

// The current scene becomes the one the tick and the editors see.
void publishScene(Engine& engine)
{
    engine.shared.sceneAddr = sceneAddress(currentScene(engine));
}

// The level copy inside one scene. A channel 256 is cell 0 of the next
// scene; past the last scene there is nothing to write.
void copyLoop(Engine& engine, int scene, int first, int last, int destination)
{
    const int address = sceneAddress(static_cast<std::uint8_t>(scene));
    for (int c = first; c <= last + 1; ++c) {
        const int to = address + destination + c - first;
        const int from = address + c;
        if (to >= 0 && to < ShowMemoryTop && from >= 0 && from < ShowMemorySize) {
            engine.memory.set(std::size_t(to), engine.memory.get(std::size_t(from)));
        }
    }
}

}  // namespace

void InsertNewScena(Engine& engine)
{
    const int current = currentScene(engine);
    if (current == SceneCount - 1) {
        publishScene(engine);
        return;
    }
    const int scene = current + 1;
    engine.memory.set(CellScene, std::uint8_t(scene));
    // Channels 1..255 of the old current scene and everything after it move
    // up one scene, the old scene 255 falling off the end.
    const int lowest = SceneBase + SceneSize * scene - (SceneSize - 1);
    for (int k = ShowMemoryTop - SceneSize - 1; k >= lowest; --k) {
        engine.memory.set(static_cast<std::size_t>(k) + SceneSize, engine.memory.get(std::size_t(k)));
    }
    const int last = engine.memory.get(CellLastScene);
    engine.memory.set(CellLastScene, std::uint8_t(std::min(last + 1, SceneCount - 1)));
    publishScene(engine);
}

void DeleteScena(Engine& engine)
{
    int current = currentScene(engine);
    int last = engine.memory.get(CellLastScene);
    for (int k = sceneAddress(std::uint8_t(current)); k <= ShowMemoryTop - SceneSize; ++k) {
        engine.memory.set(std::size_t(k), engine.memory.get(static_cast<std::size_t>(k) + SceneSize));
    }
    if (current != 0 && current >= last) {
        --current;
    }
    if (last > 0) {
        --last;
    }
    engine.memory.set(CellScene, std::uint8_t(current));
    engine.memory.set(CellLastScene, std::uint8_t(last));
    publishScene(engine);
}

void clearScene(Engine& engine)
{
    const int address = sceneAddress(currentScene(engine));
    engine.memory.fill(std::size_t(address), std::size_t(address + SceneSize - 1), 0);
    publishScene(engine);
}

void copyPreviousScene(Engine& engine)
{
    const int current = currentScene(engine);
    if (current != 0) {
        std::array<std::uint8_t, SceneSize> cells{};
        engine.memory.copyOut(std::size_t(sceneAddress(std::uint8_t(current - 1))), SceneSize, cells.data());
        engine.memory.copyIn(std::size_t(sceneAddress(std::uint8_t(current))), SceneSize, cells.data());
    }
    publishScene(engine);
}

void SaveToPaste(Engine& engine)
{
    engine.memory.copyOut(std::size_t(sceneAddress(currentScene(engine))), SceneSize, engine.sceneClipboard.data());
    publishScene(engine);
}

void LoadFromPaste(Engine& engine)
{
    engine.memory.copyIn(std::size_t(sceneAddress(currentScene(engine))), SceneSize, engine.sceneClipboard.data());
    publishScene(engine);
}

UndoMemory::UndoMemory()
    : cells_(ShowMemorySize, 0)
{}

void UndoMemory::take(const ShowMemory& memory)
{
    memory.copyOut(0, ShowMemorySize, cells_.data());
    valid_ = true;
}

void UndoMemory::restore(ShowMemory& memory) const
{
    if (valid_) {
        memory.copyIn(0, ShowMemorySize, cells_.data());
    }
}

CopyResult copyChannelsInScene(Engine& engine, int scene, int first, int last, int destination)
{
    CopyResult result = CopyResult::Done;
    if (last - first + destination > SceneSize) {
        result = CopyResult::TooManyChannels;
    } else if (last + 1 < first) {
        result = CopyResult::Nothing;
    } else {
        copyLoop(engine, scene, first, last, destination);
    }
    publishScene(engine);
    return result;
}

CopyResult copyA(Engine& engine, int first, int last, int destination)
{
    return copyChannelsInScene(engine, currentScene(engine), first, last, destination);
}

CopyResult copyB(Engine& engine, int first, int last, int destination, int limit)
{
    if (last - first + destination > limit) {
        publishScene(engine);
        return CopyResult::TooManyChannels;
    }
    for (int s = 0; s < SceneCount; ++s) {
        copyLoop(engine, s, first, last, destination);
    }
    publishScene(engine);
    return CopyResult::Done;
}

CopyResult copyC(Engine& engine, int first, int last, int destination, int firstScene, int lastScene, int target)
{
    CopyResult result = CopyResult::Done;
    if (last + destination > SceneSize) {
        result = CopyResult::TooManyChannels;
    } else if (lastScene + target > SceneCount) {
        result = CopyResult::TooManyScenes;
    } else if (lastScene < firstScene) {
        result = CopyResult::Nothing;
    } else {
        for (int s = firstScene; s <= lastScene; ++s) {
            copyLoop(engine, (target + s) % SceneCount, first, last, destination);
        }
    }
    publishScene(engine);
    return result;
}

}  // namespace velantra
