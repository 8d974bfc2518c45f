// Arithmetic of the sequencer: the step interval, the scenes-per-minute
// figure and the per-channel glide steps of the "Автомат" smoothing.
#pragma once

#include "engine/engine.h"

#include <array>
#include <cstdint>

namespace velantra {

inline constexpr int TempoMin = 10;
inline constexpr int TempoMax = 170;

// Levels of channels 1..255 of one scene (entry c - 1: channel c).
using SceneLevels = std::array<std::uint8_t, LastChannel>;

// Any thread. Step interval in ms for tempo t: t * t.
constexpr int sequencerInterval(int tempo)
{
    return tempo * tempo;
}

// Any thread. Scenes per minute shown beside the tempo.
constexpr int scenesPerMinute(int tempo)
{
    return 60000 / sequencerInterval(tempo);
}

// The stepping thread (the output tick on its clock, or the GUI thread).
// Channels 1..255 of scene 0..255.
SceneLevels sceneLevels(const Engine& engine, int scene);

// The stepping thread. Fills SeqStep for the glide from the levels of the scene shown
// before (from) to the new current scene, so that each channel covers the
// difference in one step interval (at least 1 a tick). After a wrap, from is
// the scene the sequencer left, not scene 0's neighbour in memory.
void computeSeqStep(Engine& engine, int intervalMs, const SceneLevels& from);

// The stepping thread. One play step: the next scene, wrapping to 0 after the last
// (or from beyond it). Returns true when it wrapped.
bool advanceScene(Engine& engine);

}  // namespace velantra
