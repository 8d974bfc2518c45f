// The two four-channel chasers ("automats"): their settings cells, the step
// period, the eight-step patterns and one step of the walk forward and back.
//
// Plain C++ on the engine. The output tick calls in here on the automats'
// steps (the transport's clock); the player's timers do when it does not clock them.
#pragma once

#include "engine/engine.h"

#include <array>
#include <cstdint>

namespace velantra {

inline constexpr int AutomatSteps = 8;
inline constexpr int AutomatPrograms = 4;
inline constexpr int AutomatTempoMin = 5;
inline constexpr int AutomatTempoMax = 50;
inline constexpr int AutomatTempoDefault = 10;
inline constexpr int AutomatTempoForZero = 20;  // a tempo cell of 0 is read as this

// Where automat a keeps its settings, and the shape of its walk: it runs
// forward while its cycle counter is below `backAt`, backward from there, and
// the counter (one count per pass over step 3) restarts after `cycleMax`.
struct AutomatSetup {
    int tempoCell;
    int channelCell;
    int programCell;
    int brightCell;
    int darkCell;
    int backAt;
    int cycleMax;
};

inline constexpr std::array<AutomatSetup, AutomatCount> AutomatSetups{{
    {CellAvt1Tempo, CellAvt1Channel, CellAvt1Program, CellAvt1Bright, CellAvt1Dark, 10, 20},
    {CellAvt2Tempo, CellAvt2Channel, CellAvt2Program, CellAvt2Bright, CellAvt2Dark, 12, 24},
}};

// Any thread. Step period in ms for a tempo cell value: v * v, 0 counting as 20.
constexpr int automatPeriod(int tempoCell)
{
    const int v = tempoCell == 0 ? AutomatTempoForZero : tempoCell;
    return v * v;
}

// Any thread. Steps per minute at that period, as the speed label shows it.
constexpr int automatFlashesPerMinute(int periodMs)
{
    return 60000 / periodMs;
}

using AutomatLevels = std::array<std::uint8_t, AutomatSlots>;

// Any thread. The four levels of program 1..4 at step 0..7: each slot is
// either bright or dark. A program or step out of range gives all dark.
AutomatLevels automatPattern(int program, int step, std::uint8_t bright, std::uint8_t dark);

// The stepping thread only. Moves step and cycle of the automat one step along its walk.
void advanceAutomat(AutomatState& automat, const AutomatSetup& setup);

// The stepping thread. One beat of automat a, before any step: takes the
// automat off the output and says whether it steps now, that is unless
// blackout is on, when it runs alone or with the sequencer while that plays.
bool automatTickSteps(Engine& engine, int a, bool runAlone, bool withSequencer);

// The stepping thread. One step of automat a with program 1..4: advances the walk,
// reads bright and dark afresh, publishes the levels and puts the automat on
// the output.
void runAutomatStep(Engine& engine, int a, int program);

// GUI thread. Brings automat a's cells within what the automats page can
// show (a first channel beyond 250 becomes 250, a tempo outside 5..50 its
// nearest end, both written back) and puts its four slots at the first channel.
void takeAutomatCells(Engine& engine, int a);

// GUI thread. The channel bar of automat a moved to position 0..250: stores it
// in the channel cell and as the first slot the tick writes after.
void setAutomatFirst(Engine& engine, int a, int position);

}  // namespace velantra
