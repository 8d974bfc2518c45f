#include "engine/automat.h"

#include <algorithm>
#include <string_view>

namespace velantra {

namespace {

// Rows of the pattern table: 'B' bright, 'D' dark, slot 1 first.
constexpr std::array<std::array<std::string_view, AutomatSteps>, AutomatPrograms> Patterns{{
    // One running light.
    {"BDDD", "DBDD", "DDBD", "DDDB", "BDDD", "DBDD", "DDBD", "DDDB"},
    // Two running lights.
    {"BBDD", "DBBD", "DDBB", "BDDB", "BBDD", "DBBD", "DDBB", "BDDB"},
    // Running shadow.
    {"BBDD", "DDBB", "BBDD", "DDBB", "DBBD", "BDDB", "DBBD", "BDDB"},
    // Fill up and empty.
    {"BDDD", "BBDD", "BBBD", "BBBB", "DBBB", "DDBB", "DDDB", "DDDD"},
}};

}  // namespace

AutomatLevels automatPattern(int program, int step, std::uint8_t bright, std::uint8_t dark)
{
    AutomatLevels levels;
    levels.fill(dark);
    if (program < 1 || program > AutomatPrograms || step < 0 || step >= AutomatSteps) {
        return levels;
    }
    const std::string_view row = Patterns[program - 1][step];
    for (int i = 0; i < AutomatSlots; ++i) {
        if (row[i] == 'B') {
            levels[i] = bright;
        }
    }
    return levels;
}

void advanceAutomat(AutomatState& automat, const AutomatSetup& setup)
{
    int step = automat.step.load(std::memory_order_relaxed);
    int cycle = automat.cycle.load(std::memory_order_relaxed);
    if (step == 3) {
        ++cycle;
    }
    if (cycle > setup.cycleMax) {
        cycle = 0;
    }
    if (cycle < setup.backAt) {
        step = step >= AutomatSteps - 1 ? 0 : step + 1;
    } else {
        step = step == 0 ? AutomatSteps - 1 : step - 1;
    }
    automat.cycle.store(static_cast<std::uint8_t>(cycle), std::memory_order_relaxed);
    automat.step.store(static_cast<std::uint8_t>(step), std::memory_order_relaxed);
}

bool automatTickSteps(Engine& engine, int a, bool runAlone, bool withSequencer)
{
    engine.automats[a].active.store(0, std::memory_order_relaxed);
    if (engine.controls.blackOut.load(std::memory_order_relaxed)) {
        return false;
    }
    return runAlone || (withSequencer && engine.shared.playMode.load(std::memory_order_relaxed) == 1);
}

void runAutomatStep(Engine& engine, int a, int program)
{
    const AutomatSetup& setup = AutomatSetups[a];
    AutomatState& automat = engine.automats[a];
    advanceAutomat(automat, setup);
    const AutomatLevels levels = automatPattern(program, automat.step.load(std::memory_order_relaxed),
                                                engine.memory.get(setup.brightCell), engine.memory.get(setup.darkCell));
    for (int i = 0; i < AutomatSlots; ++i) {
        automat.levels[i].store(levels[i], std::memory_order_relaxed);
    }
    // The levels go out before the automat is switched on, so that a tick
    // which sees it on finds this step's levels. The tick loads relaxed, so
    // this is no formal pairing; each level is a whole byte that means
    // something on its own, and the worst a reordering can show is the
    // previous step's level for one frame.
    automat.active.store(1, std::memory_order_release);
}

void setAutomatFirst(Engine& engine, int a, int position)
{
    const auto first = static_cast<std::uint8_t>(std::clamp(position, 0, AutomatFirstMax));
    engine.memory.set(AutomatSetups[a].channelCell, first);
    engine.automats[a].first.store(first, std::memory_order_relaxed);
}

void takeAutomatCells(Engine& engine, int a)
{
    const AutomatSetup& setup = AutomatSetups[a];
    const int tempo = std::clamp<int>(engine.memory.get(setup.tempoCell), AutomatTempoMin, AutomatTempoMax);
    engine.memory.set(setup.tempoCell, static_cast<std::uint8_t>(tempo));
    setAutomatFirst(engine, a, engine.memory.get(setup.channelCell));
}

}  // namespace velantra
