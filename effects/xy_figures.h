// The XY path's arithmetic: the circle mapping shared by the figures and the
// turn, the turn of one point, and the nine figure generators. Each generator
// writes one point per scene of the range into the edited channel pair
// (channels xyChannel + 1 and + 2 of each scene).
#pragma once

#include "engine/engine.h"

namespace velantra {

// A pair of levels: p goes to X (pan), q to Y (tilt).
struct LevelPair {
    int p = 0;
    int q = 0;
    friend bool operator==(const LevelPair&, const LevelPair&) = default;
};

// Any thread. Levels on a circle of diameter (0..255) at angle degrees
// (0 = straight up, growing clockwise): p from the sine, q from the cosine.
// Each offset k = ceil(sin or cos · diameter / 2) becomes 127 + k (k >= 0) or
// 128 + k, so diameter 255 spans 1..255. An offset that is whole on paper
// (sin 30° · 100 = 50) stays whole despite the rounding of the long doubles.
LevelPair Sinus(int degrees, int diameter);

// Any thread. Where the turn by theta degrees (1..359) puts the point (x, y).
LevelPair RotateXY(int x, int y, int theta);

// What a figure is drawn over: scenes from..to (1-based, inclusive), size S
// and option w of the page's two bars.
struct FigureRange {
    int from = 1;
    int to = 32;
    int size = 200;
    int option = 7;
};

enum class FigureResult {
    Done,
    OneScene,  // the figure divides by to - from: a range of one scene writes nothing
};

// GUI thread. The nine figures; points that would fall after the range are not written,
// and nothing outside scenes 1..256. A range with to < from writes nothing (Done).
FigureResult madeLine(Engine& engine, const FigureRange& range);
FigureResult madeTreug(Engine& engine, const FigureRange& range);
FigureResult madeRect(Engine& engine, const FigureRange& range);
FigureResult madeSix(Engine& engine, const FigureRange& range);
FigureResult madeSnake(Engine& engine, const FigureRange& range);
FigureResult madeCucle(Engine& engine, const FigureRange& range);
FigureResult made8(Engine& engine, const FigureRange& range);
FigureResult madePent(Engine& engine, const FigureRange& range);
FigureResult madeSpiral(Engine& engine, const FigureRange& range);

}  // namespace velantra
