// Editing of whole scenes: insert, delete, clear, copy, the scene clipboard,
// the undo copy of the show memory and the block copies of levels.
//
// Each operation works on its own scene address and leaves shared.sceneAddr
// at the current scene when it is done; nothing is ever written at or past
// ShowMemoryTop.
#pragma once

#include "engine/engine.h"

#include <vector>

namespace velantra {

// GUI thread. A new scene after the current one, holding its channels 1..255;
// the following scenes move up one and the last one falls off.
void InsertNewScena(Engine& engine);
// GUI thread. Removes the current scene; the following ones move down one.
void DeleteScena(Engine& engine);
// GUI thread. All 256 cells of the current scene := 0.
void clearScene(Engine& engine);
// GUI thread. The current scene := the one before it (scene 0 stays as it is).
void copyPreviousScene(Engine& engine);
// GUI thread. The current scene into the scene clipboard.
void SaveToPaste(Engine& engine);
// GUI thread. The scene clipboard into the current scene.
void LoadFromPaste(Engine& engine);

// A copy of the whole show memory taken before an edit.
class UndoMemory {
public:
    // GUI thread.
    UndoMemory();
    // GUI thread. Copies every cell of memory.
    void take(const ShowMemory& memory);
    // GUI thread. Puts the copy back; does nothing before the first take().
    void restore(ShowMemory& memory) const;
    // GUI thread. True once a copy has been taken.
    bool valid() const { return valid_; }

private:
    std::vector<std::uint8_t> cells_;
    bool valid_ = false;
};

enum class CopyResult { Done, Nothing, TooManyChannels, TooManyScenes };

// GUI thread. Channels first..last+1 of the scene to destination and on, in
// ascending order, each read after the writes before it.
CopyResult copyChannelsInScene(Engine& engine, int scene, int first, int last, int destination);
// GUI thread. The same on the current scene.
CopyResult copyA(Engine& engine, int first, int last, int destination);
// GUI thread. The same in every scene, refused when last - first + destination > limit.
CopyResult copyB(Engine& engine, int first, int last, int destination, int limit);
// GUI thread. The same in scenes (target + s) mod 256 for s = firstScene..lastScene.
CopyResult copyC(Engine& engine, int first, int last, int destination, int firstScene, int lastScene, int target);

}  // namespace velantra
