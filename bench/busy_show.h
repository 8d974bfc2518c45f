// A busy show for the measurements: every layer of the output tick has work
// to do. The tick benchmark and the timing tool both load it.
#pragma once

#include "engine/controls.h"
#include "engine/engine.h"

#include <cstdint>

namespace velantra::bench {

// Two scenes with different contents; switching between them keeps every
// fade moving.
inline constexpr std::uint8_t BusySceneA = 1;
inline constexpr std::uint8_t BusySceneB = 2;

// GUI thread, before the tick runs. Starts a new show and fills it: fade
// rates and glide steps, both scenes (a third of the channels at full),
// both automats, all 16 pictures, the fader bank, the hand scan, the macro
// and a reversed patch. Scene BusySceneA is selected.
void loadBusyShow(Engine& engine, RateMode mode, bool blackOut);

}  // namespace velantra::bench
