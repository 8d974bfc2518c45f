// Writes the show the web remote's browser test plays: two scenes, channel 1
// at 0 in the first and at full in the second (so the frames change while it
// plays), every channel jumping to its level, the quickest tempo.
//
//   velantra_remote_show FILE
#include "engine/dmx.h"
#include "engine/engine.h"
#include "engine/sequencer.h"
#include "storage/show_file.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    using namespace velantra;
    if (argc != 2) {
        std::fprintf(stderr, "usage: velantra_remote_show FILE\n");
        return 2;
    }
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->memory.set(CellLastScene, 1);
    engine->memory.set(CellTempo, TempoMin);
    for (int channel = 1; channel <= LastChannel; ++channel) {
        engine->memory.set(RateBase + channel, FullLevel);
    }
    engine->DataWrite(0, 1, 0);
    engine->DataWrite(1, 1, FullLevel);
    const FileResult result = writeShowFile(QString::fromLocal8Bit(argv[1]), engine->memory);
    if (!result.ok) {
        std::fprintf(stderr, "velantra_remote_show: %s\n", qPrintable(result.message));
        return 1;
    }
    return 0;
}
