// Writes the demo show installed with the program (share/velantra/examples/):
// a small rig with named channels, sixteen scenes that chase by themselves
// when ▶ plays them (spots one after another, washes changing colour, a
// moving head drawing a circle), and two chasers set on the floor and truss
// lights for "Пуск самостоятельно" / "С основным". Made by the program's own
// show writer.
//
//   velantra_demo_show FILE
#include "channels/channel_names.h"
#include "effects/xy_figures.h"
#include "engine/engine.h"
#include "storage/show_file.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {

using namespace velantra;

constexpr int Scenes = 16;
// Channels of the rig.
constexpr int FrontL = 1, FrontR = 2, Back1 = 3, Back2 = 4, WashR = 5, WashB = 7, Haze = 9, Spot1 = 10, HeadPan = 14,
              HeadDim = 16, Floor1 = 17, Truss1 = 21;
// Fade rates (level units per 50 ms tick): about 0.65 s and 1.6 s for a full change; 255 jumps.
constexpr std::uint8_t Quick = 20, Slow = 8, Jump = 255;

void setAutomat(ShowMemory& memory, int firstCell, int firstChannel, int program, int tempo, int bright, int dark)
{
    const auto first = static_cast<std::size_t>(firstCell);
    memory.set(first, static_cast<std::uint8_t>(tempo));
    memory.set(first + 1, static_cast<std::uint8_t>(firstChannel - 1));
    memory.set(first + 2, static_cast<std::uint8_t>(program));
    memory.set(first + 3, static_cast<std::uint8_t>(bright));
    memory.set(first + 4, static_cast<std::uint8_t>(dark));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: velantra_demo_show FILE\n", stderr);
        return 2;
    }
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    ShowMemory& memory = engine->memory;

    const char* const names[] = {"Front L", "Front R",  "Back 1",    "Back 2",   "Wash R",  "Wash G",
                                 "Wash B",  "Strobe",   "Haze",      "Spot 1",   "Spot 2",  "Spot 3",
                                 "Spot 4",  "Head pan", "Head tilt", "Head dim", "Floor 1", "Floor 2",
                                 "Floor 3", "Floor 4",  "Truss 1",   "Truss 2",  "Truss 3", "Truss 4"};
    for (int c = 1; c <= static_cast<int>(std::size(names)); ++c) {
        SaveEdit(memory, c, QString::fromLatin1(names[c - 1]));
        const bool washes = c >= WashR && c <= WashB;
        const bool dimmers = c <= Back2 || (c >= Spot1 && c < HeadPan);
        const int rateCell = RateBase + c;
        memory.set(static_cast<std::size_t>(rateCell), washes ? Slow : dimmers ? Quick : Jump);
    }

    // Sixteen scenes: the spots run one after another, the washes change
    // colour every four scenes, the back lights breathe; front, haze and the
    // head's dimmer stay up.
    const std::uint8_t washColours[4][3] = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 0, 180}};
    for (int s = 0; s < Scenes; ++s) {
        const auto put = [&](int channel, int level) {
            engine->DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(channel),
                              static_cast<std::uint8_t>(level));
        };
        put(FrontL, 200);
        put(FrontR, 200);
        put(Back1, s % 2 == 0 ? 255 : 60);
        put(Back2, s % 2 == 0 ? 60 : 255);
        for (int k = 0; k < 3; ++k) {
            put(WashR + k, washColours[s / 4][k]);
        }
        put(Haze, 90);
        put(Spot1 + s % 4, 255);
        put(HeadDim, 255);
    }
    memory.set(CellLastScene, Scenes - 1);
    memory.set(CellScene, 0);
    memory.set(CellTempo, 20);  // a scene every 400 ms

    // The moving head (pan 14, tilt 15) draws a circle over the sixteen
    // scenes, made by the beam editor's own figure.
    engine->shared.xyChannel = HeadPan - 1;
    madeCucle(*engine, FigureRange{1, Scenes, 180, 7});

    // Chasers: two running lights over the floor lights, a running shadow
    // over the truss lights.
    setAutomat(memory, CellAvt1Tempo, Floor1, 2, 15, 255, 20);
    setAutomat(memory, CellAvt2Tempo, Truss1, 3, 20, 220, 0);

    if (const FileResult written = writeShowFile(QString::fromLocal8Bit(argv[1]), memory); !written.ok) {
        std::fprintf(stderr, "velantra_demo_show: %s\n", qUtf8Printable(written.message));
        return 1;
    }
    return 0;
}
