#include "programming/fader_glyphs.h"

#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace velantra {

namespace {

const QColor Ink(40, 42, 55);
const QColor Level(30, 150, 60);
const QColor Tick(20, 90, 200);

// A level bar of the given fill (0..1), standing at x.
void bar(QPainter& p, int x, int width, double fill)
{
    const int height = FaderGlyphSize.height() - 2;
    p.setPen(Ink);
    p.setBrush(Qt::white);
    p.drawRect(x, 1, width, height - 1);
    const int filled = static_cast<int>(std::lround(fill * (height - 2)));
    if (filled > 0) {
        p.fillRect(x + 1, height - filled, width - 1, filled, Level);
    }
}

void box(QPainter& p, int x, int y, int side, bool ticked)
{
    p.setPen(Ink);
    p.setBrush(Qt::white);
    p.drawRect(x, y, side, side);
    if (ticked) {
        p.setPen(QPen(Tick, 2));
        p.drawPolyline(QPolygon({{x + 2, y + side / 2}, {x + side / 2, y + side - 2}, {x + side - 1, y + 2}}));
    }
}

void draw(QPainter& p, FaderGlyph kind, int group)
{
    const int w = FaderGlyphSize.width();
    switch (kind) {
    case FaderGlyph::SceneZero:
        for (int x = 2; x + 4 < w - 2; x += 5) {
            bar(p, x, 4, 0);
        }
        p.setPen(QPen(QColor(200, 30, 30), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, w - 1, FaderGlyphSize.height() - 1);
        break;
    case FaderGlyph::Level0:
        bar(p, w / 2 - 5, 10, 0);
        break;
    case FaderGlyph::Level127:
        bar(p, w / 2 - 5, 10, 0.5);
        break;
    case FaderGlyph::Level255:
        bar(p, w / 2 - 5, 10, 1);
        break;
    case FaderGlyph::SelectNone:
        box(p, w / 2 - 5, 2, 10, false);
        break;
    case FaderGlyph::SelectAll:
        box(p, w / 2 - 5, 2, 10, true);
        break;
    case FaderGlyph::SelectClear:
        for (int k = 2; k >= 0; --k) {
            box(p, w / 2 - 8 + 3 * k, 1 + k, 9, false);
        }
        break;
    case FaderGlyph::Invert: {
        box(p, 3, 2, 10, false);
        p.fillRect(4, 3, 4, 9, Tick);  // half of it taken
        // The five groups of rows, top to bottom; the button's own is filled.
        for (int g = 0; g < 5; ++g) {
            p.fillRect(18, 3 * g, 9, 2, g == group ? Tick : QColor(190, 192, 200));
        }
        break;
    }
    }
}

}  // namespace

QIcon faderGlyph(FaderGlyph kind, int group)
{
    QPixmap pixmap(FaderGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw(p, kind, group);
    p.end();
    return QIcon(pixmap);
}

}  // namespace velantra
