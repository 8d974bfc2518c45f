#include "channels/gobo_drawing.h"

#include <QRect>
#include <QtMath>

#include <cmath>
#include <utility>

namespace velantra::gobo {

namespace {

// A pixel font for the digits and the few letters the pictures use: rows top
// to bottom, split by '/', '#' for a lit pixel. At 16 pixels a drawn font is
// sharper than any scaled outline font, and needs no font installed.
constexpr std::array<std::pair<char, std::string_view>, 18> Glyphs{{
    {'0', "###/#.#/#.#/#.#/###"},
    {'1', ".#./##./.#./.#./###"},
    {'2', "###/..#/###/#../###"},
    {'3', "###/..#/###/..#/###"},
    {'4', "#.#/#.#/###/..#/..#"},
    {'5', "###/#../###/..#/###"},
    {'6', "###/#../###/#.#/###"},
    {'7', "###/..#/..#/.#./.#."},
    {'8', "###/#.#/###/#.#/###"},
    {'9', "###/#.#/###/..#/###"},
    {'A', ".#./#.#/###/#.#/#.#"},
    {'B', "##./#.#/##./#.#/##."},
    {'C', ".##/#../#../#../.##"},
    {'D', "##./#.#/#.#/#.#/##."},
    {'E', "###/#../##./#../###"},
    {'F', "###/#../##./#../#.."},
    {'U', "#...#/#...#/#...#/#...#/#...#/#...#/.###."},
    {'V', "#...#/#...#/#...#/#...#/.#.#./.#.#./..#.."},
}};

std::string_view glyph(char c)
{
    for (const auto& [key, rows] : Glyphs) {
        if (key == c) {
            return rows;
        }
    }
    return {};
}

// Width in pixels of text in the pixel font at scale 1.
int pixelWidth(std::string_view text)
{
    int width = -1;
    for (const char c : text) {
        width += static_cast<int>(glyph(c).find('/')) + 1;
    }
    return width;
}

}  // namespace

void use(QPainter& p, const Look& look)
{
    if (look.line.isValid()) {
        p.setPen(QPen(look.line, look.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(look.fill);
}

void ellipse(QPainter& p, Pt centre, qreal rx, qreal ry, const Look& look)
{
    use(p, look);
    p.drawEllipse(centre, rx, ry);
}

void circle(QPainter& p, Pt centre, qreal r, const Look& look)
{
    ellipse(p, centre, r, r, look);
}

void polygon(QPainter& p, std::initializer_list<Pt> points, const Look& look)
{
    use(p, look);
    p.drawPolygon(points.begin(), static_cast<int>(points.size()));
}

void stroke(QPainter& p, std::initializer_list<Pt> points, const QColor& c, qreal width)
{
    use(p, {c, Qt::NoBrush, width});
    p.drawPolyline(points.begin(), static_cast<int>(points.size()));
}

void box(QPainter& p, const QRectF& r, const Look& look, qreal radius)
{
    use(p, look);
    p.drawRoundedRect(r, radius, radius);
}

void shape(QPainter& p, const QPainterPath& path, const Look& look)
{
    use(p, look);
    p.drawPath(path);
}

Pt polar(Pt centre, qreal r, qreal degrees)
{
    const qreal a = qDegreesToRadians(degrees);
    return centre + Pt(std::cos(a), std::sin(a)) * r;
}

void rays(QPainter& p, Pt centre, qreal r0, qreal r1, const QColor& c, qreal width, qreal step, qreal first, qreal span)
{
    use(p, {c, Qt::NoBrush, width});
    for (qreal a = first; a <= first + span; a += step) {
        p.drawLine(polar(centre, r0, a), polar(centre, r1, a));
    }
}

void disc(QPainter& p, const QBrush& fill, const QColor& rim, qreal r)
{
    circle(p, Mid, r, {rim, fill});
}

void head(QPainter& p, Pt tip, Pt direction, const QColor& c, qreal size)
{
    const Pt d = direction / std::hypot(direction.x(), direction.y());
    const Pt n(-d.y(), d.x());
    const Pt base = tip - d * size;
    polygon(p, {tip, base + n * size * 0.6, base - n * size * 0.6}, {c, c});
}

void twoWay(QPainter& p, Pt from, Pt to, const QColor& c, qreal width)
{
    const Pt d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    stroke(p, {from + d * 2.5, to - d * 2.5}, c, width);
    head(p, to, d, c);
    head(p, from, -d, c);
}

void turnArrow(QPainter& p, qreal r, qreal start, qreal span, const QColor& c, qreal width, qreal size)
{
    const qreal sign = span > 0 ? 1.0 : -1.0;
    const qreal cut = qRadiansToDegrees((size - 0.8) / r) * sign;
    use(p, {c, Qt::NoBrush, width});
    p.drawArc(QRectF(8 - r, 8 - r, 2 * r, 2 * r), qRound(start * 16), qRound((span - cut) * 16));
    const qreal end = qDegreesToRadians(start + span);
    head(p, Mid + Pt(std::cos(end), -std::sin(end)) * r, Pt(-std::sin(end), -std::cos(end)) * sign, c, size);
}

QPolygonF star(Pt centre, qreal outer, qreal inner, int points)
{
    QPolygonF shape;
    for (int k = 0; k < 2 * points; ++k) {
        shape << polar(centre, k % 2 ? inner : outer, -90.0 + 180.0 * k / points);
    }
    return shape;
}

QPainterPath puffs(std::initializer_list<std::array<qreal, 3>> circles)
{
    QPainterPath all;
    for (const auto& [x, y, r] : circles) {
        QPainterPath one;
        one.addEllipse(Pt(x, y), r, r);
        all = all.united(one);
    }
    return all;
}

void wave(QPainter& p, qreal y, qreal amplitude, qreal period, qreal x0, qreal x1)
{
    QPolygonF points;
    for (qreal x = x0; x <= x1 + 0.01; x += 0.5) {
        points << Pt(x, y - amplitude * std::sin(2 * M_PI * (x - x0) / period));
    }
    p.drawPolyline(points);
}

void pixelText(QPainter& p, std::string_view text, int x, int y, int scale, const QColor& c)
{
    for (const char ch : text) {
        int col = 0;
        int row = 0;
        for (const char dot : glyph(ch)) {
            if (dot == '/') {
                col = 0;
                ++row;
                continue;
            }
            if (dot == '#') {
                p.fillRect(QRect(x + col * scale, y + row * scale, scale, scale), c);
            }
            ++col;
        }
        x += (static_cast<int>(glyph(ch).find('/')) + 1) * scale;
    }
}

void markedDisc(QPainter& p, const QColor& fill, const QColor& rim, std::string_view text, const QColor& ink)
{
    disc(p, fill, rim);
    pixelText(p, text, (17 - pixelWidth(text)) / 2, text.size() > 2 ? 6 : 5, 1, ink);
}

void gobo(QPainter& p)
{
    disc(p, QColor(28, 30, 40), QColor(100, 105, 120));
    QPainterPath inner;
    inner.addEllipse(Mid, 6.4, 6.4);
    p.setClipPath(inner);
    use(p, {NoColor, Light});
}

void shutter(QPainter& p, std::initializer_list<std::initializer_list<Pt>> blades)
{
    disc(p, Light, Ink);
    QPainterPath inside;
    inside.addEllipse(Mid, 7, 7);
    p.setClipPath(inside);
    for (const auto& blade : blades) {
        polygon(p, blade, {NoColor, Steel});
    }
    p.setClipping(false);
    disc(p, Qt::NoBrush, Ink);
}

void bulb(QPainter& p, const QColor& glass, qreal r)
{
    const Pt c(8, 10.5 - r * 1.2);
    QPainterPath round;
    QPainterPath neck;
    round.addEllipse(c, r, r);
    neck.addPolygon(QPolygonF({c + Pt(-r * 0.7, r * 0.6), c + Pt(r * 0.7, r * 0.6), Pt(10, 11.5), Pt(6, 11.5)}));
    shape(p, round.united(neck), {Ink, glass});
    box(p, QRectF(6, 11.5, 4, 3.5), {Ink, QColor(150, 152, 165)});
    stroke(p, {{6, 13.2}, {10, 13.2}}, Ink);
}

void mixing(QPainter& p, QPainter::CompositionMode mode, const std::array<QColor, 3>& colours)
{
    p.setCompositionMode(mode);
    circle(p, {8, 5}, 4.1, {NoColor, colours[0]});
    circle(p, {5.2, 10.2}, 4.1, {NoColor, colours[1]});
    circle(p, {10.8, 10.2}, 4.1, {NoColor, colours[2]});
}

}  // namespace velantra::gobo
