// Arithmetic of the sequencer: the step interval, the scenes-per-minute
// figure and the per-channel glide steps of the "Автомат" smoothing.
#pragma once

#include "engine/engine.h"

namespace velantra {

inline constexpr int TempoMin = 10;
inline constexpr int TempoMax = 170;

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

// GUI thread. Fills SeqStep for the glide from scene s - 1 to the new
// current scene s: for s = 0 the "previous" cells lie below the scene area.
void computeSeqStep(Engine& engine, int intervalMs);

// GUI thread. One play step: the next scene, wrapping to 0 after the last
// (or from beyond it). Returns true when it wrapped.
bool advanceScene(Engine& engine);

}  // namespace velantra
