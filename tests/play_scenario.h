// One way of playing a show for comparing two players of it: play mode on,
// then steps of the sequencer, each followed by output ticks; the frame is
// taken after every tick. The window and the player core must give the same
// frames for the same show.
#pragma once

#include "engine/output_cycle.h"
#include "player/player.h"

#include <QString>
#include <QStringList>

namespace velantra {

// GUI thread. Frames as text, one line of 255 hex levels (channels 1..255) per tick.
inline QStringList playScenario(Player& player, OutputCycle& cycle, int steps, int ticksPerStep)
{
    QStringList frames;
    player.play();
    for (int s = 0; s < steps; ++s) {
        player.step();
        for (int t = 0; t < ticksPerStep; ++t) {
            cycle.tick();
            QString line;
            for (int c = 1; c <= LastChannel; ++c) {
                line += QStringLiteral("%1").arg(player.engine().dmxFrame.get(static_cast<std::size_t>(c)), 2, 16,
                                                 QLatin1Char('0'));
            }
            frames << line;
        }
    }
    return frames;
}

}  // namespace velantra
