// A desk without a window for the OSC tests: the engine, the player (its
// timers stopped: nothing steps by itself) and the controls, with a show of
// ten scenes.
#pragma once

#include "desk/desk_controls.h"
#include "desk/player.h"
#include "engine/engine.h"
#include "engine/sequencer.h"

#include <memory>

namespace velantra::osc {

struct OscDesk {
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    Player player{*engine};
    DeskControls desk{*engine, player};

    OscDesk()
    {
        player.stopTimers();
        engine->memory.set(CellLastScene, 9);
    }
};

}  // namespace velantra::osc
