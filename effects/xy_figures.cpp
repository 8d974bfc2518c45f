#include "effects/xy_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velantra {

namespace {

constexpr long double Pi = 3.141592653589793238462643383279502884L;

// Products such as sin(30°)·100 or acos(0.5) are whole numbers on paper but come
// out a few units in the last place away from them; ceil would then step a level
// too far. A value this close to a whole number is that number: the closest any
// other value of the circle or the turn comes to one is about 6e-5.
constexpr long double WholeNumberTolerance = 1e-9L;

int ceilLevel(long double value)
{
    const long double nearest = std::round(value);
    if (std::fabs(value - nearest) < WholeNumberTolerance) {
        return static_cast<int>(nearest);
    }
    return static_cast<int>(std::ceil(value));
}

// The low eight bits, as a level 0..255 (two's complement for negative values).
int mod256(int value)
{
    return static_cast<std::uint8_t>(value);
}

// Offset k from the centre as a level: 127 + k upward, 128 + k downward.
int levelFromCentre(int k)
{
    return k >= 0 ? 127 + k : 128 + k;
}

// Writes the points of one figure, one per scene index, and drops every point
// that falls outside the range's scenes.
class Pen {
public:
    Pen(Engine& engine, const FigureRange& range)
        : engine_(engine)
        , first_(std::max(range.from - 1, 0))
        , last_(std::min(range.to - 1, 255))
    {}

    void write(int index, int x, int y)
    {
        if (index >= first_ && index <= last_) {
            engine_.DataWriteXY(static_cast<std::uint8_t>(index), x, y);
        }
    }

    // Scenes first..last: write the point, then step by (dx, dy).
    void run(int first, int last, int& x, int& y, int dx, int dy)
    {
        for (int i = first; i <= last; ++i) {
            write(i, x, y);
            x += dx;
            y += dy;
        }
    }

    // A polygon side: the run, then one step back, so the next side starts
    // on the corner this one ended on.
    void side(int first, int last, int& x, int& y, int dx, int dy)
    {
        run(first, last, x, y, dx, dy);
        x -= dx;
        y -= dy;
    }

private:
    Engine& engine_;
    int first_;
    int last_;
};

// What a figure that divides by its span m = to - from does with m <= 0:
// one scene cannot hold it, a reversed range draws nothing.
FigureResult spanRefused(int m)
{
    return m == 0 ? FigureResult::OneScene : FigureResult::Done;
}

// Corners per side of the rectangle and the X.
int squareCorners(int m)
{
    if (m < 5) {
        return 1;
    }
    if (m <= 8) {
        return 2;
    }
    return m / 4 + 1;
}

// The rectangle's side length and first corner, shared with the X.
struct SquareStart {
    int d;
    int k;
    int start;
};

SquareStart squareStart(const FigureRange& range)
{
    const int n = range.to - range.from + 1;
    const int m = n - 1;
    const int d = mod256(4 * mod256(range.size / n));
    const int k = squareCorners(m);
    return {d, k, (256 - k * d) / 2};
}

}  // namespace

LevelPair Sinus(int degrees, int diameter)
{
    // Whole turns change nothing; dropping them keeps the radians small.
    const long double radians = static_cast<long double>(degrees % 360) * Pi / 180.0L;
    const long double half = static_cast<long double>(diameter) / 2.0L;
    return {levelFromCentre(ceilLevel(std::sin(radians) * half)), levelFromCentre(ceilLevel(std::cos(radians) * half))};
}

LevelPair RotateXY(int x, int y, int theta)
{
    const long double dx = static_cast<long double>(x < 128 ? x - 128 : x - 127) / 128.0L;
    const long double dy = static_cast<long double>(y < 128 ? y - 128 : y - 127) / 128.0L;
    const int lowerHalf = y < 128 ? 180 : 0;
    const long double r = std::min(std::sqrt(dx * dx + dy * dy), 1.0L);
    const long double t = std::clamp(dy > 0 ? dx / r : -dx / r, -1.0L, 1.0L);
    const long double angle = std::acos(t) / Pi * 180.0L + theta + lowerHalf;
    return Sinus(ceilLevel(angle), ceilLevel(r * 255.0L));
}

FigureResult madeLine(Engine& engine, const FigureRange& range)
{
    const int f = range.from;
    const int n = range.to - f + 1;
    if (n < 1) {
        return FigureResult::Done;
    }
    const int m = n - 1;
    const int w = range.option;
    const int d = mod256(2 * mod256(range.size / n));
    const int c0 = (256 - range.size) / 2;
    const int mid = f + m / 2;
    Pen pen(engine, range);
    int x = c0 + w;
    int y = c0 + w;
    for (int i = f - 1; i <= range.to - 1; ++i) {
        if (i < mid) {
            pen.write(i, x - w, y + w);
            x += d;
            y += d;
        } else if (i == mid) {
            x = x - d + 2 * w;
            y = y - d - 2 * w;
            pen.write(i, x - w, y + w);
        } else {
            x -= d;
            y -= d;
            pen.write(i, x - w, y + w);
        }
    }
    return FigureResult::Done;
}

FigureResult madeTreug(Engine& engine, const FigureRange& range)
{
    const int f = range.from;
    const int n = range.to - f + 1;
    if (n < 1) {
        return FigureResult::Done;
    }
    const int m = n - 1;
    const int d = mod256(3 * (range.size / n));
    const int h = d / 2;
    const int k = m <= 3 ? 1 : m / 3 + 1;
    const int s = f - 1;
    Pen pen(engine, range);
    int x = 127 - k * h;
    int y = (256 - k * d) / 2;
    pen.side(s, s + k, x, y, h, d);
    pen.side(s + k, s + 2 * k, x, y, h, -d);
    pen.run(s + 2 * k, range.to - 1, x, y, -(d + range.option), 0);
    return FigureResult::Done;
}

FigureResult madeRect(Engine& engine, const FigureRange& range)
{
    if (range.to < range.from) {
        return FigureResult::Done;
    }
    const auto [d, k, start] = squareStart(range);
    const int s = range.from - 1;
    Pen pen(engine, range);
    int x = start;
    int y = start;
    pen.side(s, s + k, x, y, 0, d);
    pen.side(s + k, s + 2 * k, x, y, d, 0);
    pen.side(s + 2 * k, s + 3 * k, x, y, 0, -d);
    pen.run(s + 3 * k, range.to - 1, x, y, -(d + range.option), 0);
    return FigureResult::Done;
}

FigureResult madeSix(Engine& engine, const FigureRange& range)
{
    if (range.to < range.from) {
        return FigureResult::Done;
    }
    const auto [d, k, start] = squareStart(range);
    const int s = range.from - 1;
    const int w = range.option;
    Pen pen(engine, range);
    int x = start;
    int y = start;
    pen.side(s, s + k, x, y, 0, d);
    pen.side(s + k, s + 2 * k, x, y, d, -d);
    pen.side(s + 2 * k, s + 3 * k, x, y, 0, d);
    pen.run(s + 3 * k, range.to - 1, x, y, -(d + w), -(d + w));
    return FigureResult::Done;
}

FigureResult madeSnake(Engine& engine, const FigureRange& range)
{
    const int m = range.to - range.from;
    if (m <= 0) {
        return spanRefused(m);
    }
    // The option counts the rows after the first; option −1 leaves no row to draw on.
    const int rows = range.option + 1;
    if (rows == 0) {
        return FigureResult::Done;
    }
    const int d = mod256(range.size / m * rows);
    const int rowStep = 256 / rows;
    Pen pen(engine, range);
    int x = (256 - range.size) / 2;
    int y = 128 / rows;
    bool right = true;
    for (int i = range.from - 1; i <= range.to - 1; ++i) {
        pen.write(i, x, y);
        if (right) {
            x += d;
            if (x > 255) {
                x -= d;
                right = false;
                y += rowStep;
            }
        } else {
            x -= d;
            if (x < 0) {
                x += d;
                right = true;
                y += rowStep;
            }
        }
    }
    return FigureResult::Done;
}

FigureResult madeCucle(Engine& engine, const FigureRange& range)
{
    const int m = range.to - range.from;
    if (m <= 0) {
        return spanRefused(m);
    }
    const int diameter = mod256(range.size);
    const int step = range.option * 50 / m;
    Pen pen(engine, range);
    int a = 0;
    for (int i = range.from - 1; i <= range.to - 1; ++i) {
        const LevelPair point = Sinus(a, diameter);
        a += step;
        pen.write(i, point.p, point.q);
    }
    return FigureResult::Done;
}

FigureResult made8(Engine& engine, const FigureRange& range)
{
    const int m = range.to - range.from;
    if (m <= 0) {
        return spanRefused(m);
    }
    const int diameter = range.size / 2;
    const int step = range.option * 100 / m;
    const int s = range.from - 1;
    const int middle = s + m / 2;
    Pen pen(engine, range);
    int a = 180;
    for (int i = s; i <= middle; ++i) {
        const LevelPair point = Sinus(a, diameter);
        a += step;
        pen.write(i, point.p, mod256(point.q + diameter / 2));
    }
    a = 0;
    for (int i = middle; i <= range.to - 1; ++i) {
        const LevelPair point = Sinus(a, diameter);
        a += step;
        pen.write(i, point.p, mod256(point.q - diameter / 2));
    }
    return FigureResult::Done;
}

FigureResult madePent(Engine& engine, const FigureRange& range)
{
    const int m = range.to - range.from;
    if (m <= 0) {
        return spanRefused(m);
    }
    const int diameter = range.size / 2;
    const int h = diameter / 2;
    const int step = range.option * 150 / m;
    const int q = m / 4;
    const int s = range.from - 1;
    struct Quarter {
        int startAngle, first, last, dx, dy;
    };
    const Quarter quarters[] = {
        {90, s, s + q, -h, h},
        {180, s + q, s + 2 * q, h, h},
        {270, s + 2 * q, s + 3 * q, h, -h},
        {0, s + 3 * q, range.to - 1, -h, -h},
    };
    Pen pen(engine, range);
    for (const Quarter& quarter : quarters) {
        int a = quarter.startAngle;
        for (int i = quarter.first; i <= quarter.last; ++i) {
            const LevelPair point = Sinus(a, diameter);
            a -= step;
            pen.write(i, mod256(point.p + quarter.dx), mod256(point.q + quarter.dy));
        }
    }
    return FigureResult::Done;
}

FigureResult madeSpiral(Engine& engine, const FigureRange& range)
{
    const int m = range.to - range.from;
    if (m <= 0) {
        return spanRefused(m);
    }
    int diameter = mod256(range.size);
    const int step = range.option * 250 / m;
    const int shrink = mod256(range.size / m);
    Pen pen(engine, range);
    int a = 0;
    for (int i = range.from - 1; i <= range.to - 1; ++i) {
        const LevelPair point = Sinus(a, diameter);
        a += step;
        diameter = mod256(diameter - shrink);
        pen.write(i, point.p, point.q);
    }
    return FigureResult::Done;
}

}  // namespace velantra
