// Ways of playing a show for comparing two players of it; the window and the
// player core must give the same frames for the same show.
#pragma once

#include "desk/player.h"
#include "engine/automat.h"
#include "engine/output_cycle.h"

#include <QString>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <array>

namespace velantra {

// GUI thread. The frame as text: 255 hex levels, channels 1..255.
inline QString frameLine(const Engine& engine)
{
    QString line;
    for (int c = 1; c <= LastChannel; ++c) {
        line += QStringLiteral("%1").arg(engine.dmxFrame.get(static_cast<std::size_t>(c)), 2, 16, QLatin1Char('0'));
    }
    return line;
}

// GUI thread. Play mode on, then steps of the sequencer, each followed by
// output ticks; the frame is taken after every tick.
inline QStringList playScenario(Player& player, OutputCycle& cycle, int steps, int ticksPerStep)
{
    QStringList frames;
    player.play();
    for (int s = 0; s < steps; ++s) {
        player.step();
        for (int t = 0; t < ticksPerStep; ++t) {
            cycle.tick();
            frames << frameLine(player.engine());
        }
    }
    return frames;
}

// GUI thread. Play mode on, then `ticks` output ticks 50 ms apart on a
// clock of its own: before each tick, the sequencer and the two automats
// take every step whose period (their timers' intervals, read as they go)
// has run out. The frame is taken after every tick. The timers must be stopped.
inline QStringList playTimed(Player& player, OutputCycle& cycle, int ticks)
{
    constexpr int TickMs = 50;
    struct Due {
        QTimer* timer;
        int next;
    };
    std::array<Due, 1 + AutomatCount> due{{{player.sequencerTimer(), 0}}};
    for (int a = 0; a < AutomatCount; ++a) {
        due[static_cast<std::size_t>(a + 1)].timer = player.automatTimer(a);
    }
    for (Due& d : due) {
        d.next = d.timer->interval();
    }
    QStringList frames;
    player.play();
    for (int now = TickMs; now <= ticks * TickMs; now += TickMs) {
        for (std::size_t i = 0; i < due.size(); ++i) {
            while (due[i].next <= now) {
                i == 0 ? player.step() : player.automatTick(static_cast<int>(i) - 1);
                due[i].next += std::max(due[i].timer->interval(), 1);
            }
        }
        cycle.tick();
        frames << frameLine(player.engine());
    }
    return frames;
}

}  // namespace velantra
