// Writes the demo show installed with the program (share/velantra/examples/):
// six scenes of a small rig with named channels, a chaser on four channels
// and a circle for a moving head, made by the program's own show writer.
//
//   velantra_demo_show FILE
#include "channels/channel_names.h"
#include "effects/xy_figures.h"
#include "engine/engine.h"
#include "storage/show_file.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: velantra_demo_show FILE\n", stderr);
        return 2;
    }
    using namespace velantra;
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();

    const char* const names[] = {"Front L", "Front R", "Back 1", "Back 2", "Wash R",   "Wash G",    "Wash B",  "Strobe",
                                 "Haze",    "Spot 1",  "Spot 2", "Spot 3", "Head pan", "Head tilt", "Head dim"};
    for (int c = 1; c <= 15; ++c) {
        SaveEdit(engine->memory, c, QString::fromLatin1(names[c - 1]));
        engine->memory.set(RateBase + c, c <= 7 ? 12 : 255);  // the washes fade, the rest jumps
    }
    // Six looks: warm front, red wash, green wash, blue wash, back light, all up.
    const auto look = [&](int scene, std::initializer_list<std::pair<int, int>> levels) {
        for (const auto& [channel, level] : levels) {
            engine->DataWrite(static_cast<std::uint8_t>(scene), static_cast<std::uint8_t>(channel),
                              static_cast<std::uint8_t>(level));
        }
        engine->DataWrite(static_cast<std::uint8_t>(scene), 15, 255);  // the head is always lit
    };
    look(0, {{1, 255}, {2, 255}, {3, 60}, {4, 60}});
    look(1, {{5, 255}, {3, 120}, {4, 120}});
    look(2, {{6, 255}, {1, 80}, {2, 80}});
    look(3, {{7, 255}, {3, 200}, {4, 200}});
    look(4, {{3, 255}, {4, 255}, {9, 90}});
    look(5, {{1, 255}, {2, 255}, {3, 255}, {4, 255}, {5, 180}, {6, 180}, {7, 180}});
    engine->memory.set(CellLastScene, 5);
    engine->memory.set(CellTempo, 40);

    // The moving head (pan 13, tilt 14) draws a circle over the six scenes.
    engine->shared.xyChannel = 12;
    madeCucle(*engine, FigureRange{1, 6, 180, 7});

    // Chaser 1: a running light over the spots (channels 10..13 are 9 + 1..4).
    engine->memory.set(CellAvt1Channel, 9);
    engine->memory.set(CellAvt1Program, 1);
    engine->memory.set(CellAvt1Tempo, 15);
    engine->memory.set(CellAvt1Bright, 255);
    engine->memory.set(CellAvt1Dark, 0);

    if (const FileResult written = writeShowFile(QString::fromLocal8Bit(argv[1]), engine->memory); !written.ok) {
        std::fprintf(stderr, "velantra_demo_show: %s\n", qUtf8Printable(written.message));
        return 1;
    }
    return 0;
}
