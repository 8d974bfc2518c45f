// Plays a show file on the player core alone (QtCore, no window) and prints
// the frames of one of the shared scenarios, one line per output tick:
//
//   velantra_core_frames SHOW STEPS TICKS_PER_STEP   steps of the sequencer
//   velantra_core_frames SHOW --automats TICKS       timed play with both automats
//                                                    running alone, as velantra-player --automats
#include "desk/player.h"
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "storage/show_file.h"
#include "tests/play_scenario.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fputs("usage: velantra_core_frames SHOW STEPS TICKS_PER_STEP | SHOW --automats TICKS\n", stderr);
        return 2;
    }
    velantra::Engine engine;
    engine.resetPatch();
    engine.ClearAll();
    if (const velantra::FileResult read = velantra::readShowFile(args[1], engine.memory); !read.ok) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(read.message));
        return 1;
    }
    velantra::OutputCycle cycle(engine);
    velantra::Player player(engine);
    player.refreshTempo();
    QStringList frames;
    if (args[2] == QLatin1String("--automats")) {
        player.runAutomatsAlone();
        player.stopTimers();
        frames = velantra::playTimed(player, cycle, args[3].toInt());
    } else {
        frames = velantra::playScenario(player, cycle, args[2].toInt(), args[3].toInt());
    }
    std::fputs(qUtf8Printable(frames.join(QLatin1Char('\n'))), stdout);
    std::fputs("\n", stdout);
    return 0;
}
