#include "channels/gobo_images.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <array>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace velantra {

namespace {

using Pt = QPointF;

constexpr Pt Mid(8, 8);
constexpr QColor NoColor;  // no outline, or no fill
constexpr QColor Ink(36, 40, 52);
constexpr QColor Light(255, 255, 245);
constexpr QColor Steel(80, 84, 98);
constexpr QColor Dark(40, 42, 55);
constexpr QColor Blue(45, 115, 215);
constexpr QColor Navy(20, 60, 140);
constexpr QColor Brass(160, 110, 0);
constexpr QColor Red(220, 40, 40);
constexpr QColor Maroon(140, 20, 20);

// Codes 13..22: the colour filters, in the order of the code list.
constexpr std::array<QColor, 10> Filters{{
    {255, 255, 255},  // white
    {230, 20, 20},    // red
    {255, 140, 0},    // orange
    {255, 228, 0},    // yellow
    {30, 200, 40},    // green
    {0, 105, 35},     // dark green
    {0, 220, 230},    // cyan
    {20, 60, 235},    // blue
    {230, 0, 210},    // magenta
    {140, 140, 140},  // grey
}};

// How a shape is drawn: outline colour (NoColor: no outline), fill, outline width.
struct Look {
    QColor line;
    QBrush fill = Qt::NoBrush;
    qreal width = 1.0;
};

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

// An open line through points.
void stroke(QPainter& p, std::initializer_list<Pt> points, const QColor& c, qreal width = 1.0)
{
    use(p, {c, Qt::NoBrush, width});
    p.drawPolyline(points.begin(), static_cast<int>(points.size()));
}

void box(QPainter& p, const QRectF& r, const Look& look, qreal radius = 0)
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

// Lines from radius r0 to r1 out of the centre, every step degrees from
// first through span (degrees clockwise on screen, 0 pointing right).
void rays(QPainter& p, Pt centre, qreal r0, qreal r1, const QColor& c, qreal width, qreal step, qreal first = 0,
          qreal span = 359)
{
    use(p, {c, Qt::NoBrush, width});
    for (qreal a = first; a <= first + span; a += step) {
        p.drawLine(polar(centre, r0, a), polar(centre, r1, a));
    }
}

// The middle disc most pictures stand on.
void disc(QPainter& p, const QBrush& fill, const QColor& rim, qreal r = 7.0)
{
    circle(p, Mid, r, {rim, fill});
}

// A filled arrow head with its tip at tip, pointing along direction.
void head(QPainter& p, Pt tip, Pt direction, const QColor& c, qreal size = 3.6)
{
    const Pt d = direction / std::hypot(direction.x(), direction.y());
    const Pt n(-d.y(), d.x());
    const Pt base = tip - d * size;
    polygon(p, {tip, base + n * size * 0.6, base - n * size * 0.6}, {c, c});
}

// A straight arrow with heads at both ends.
void twoWay(QPainter& p, Pt from, Pt to, const QColor& c, qreal width)
{
    const Pt d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    stroke(p, {from + d * 2.5, to - d * 2.5}, c, width);
    head(p, to, d, c);
    head(p, from, -d, c);
}

// An arc around the middle from angle start through span degrees (QPainter's
// angles: counter-clockwise when positive) with a head at its end.
void turnArrow(QPainter& p, qreal r, qreal start, qreal span, const QColor& c, qreal width = 1.7, qreal size = 3.4)
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

// Overlapping circles {x, y, r} merged into one outline (clouds, smoke).
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

// A sine line at height y from x0 to x1.
void wave(QPainter& p, qreal y, qreal amplitude, qreal period, qreal x0 = 1.0, qreal x1 = 15.0)
{
    QPolygonF points;
    for (qreal x = x0; x <= x1 + 0.01; x += 0.5) {
        points << Pt(x, y - amplitude * std::sin(2 * M_PI * (x - x0) / period));
    }
    p.drawPolyline(points);
}

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

// Text in the pixel font from (x, y), each font pixel scale x scale screen pixels.
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

// A filter disc marked with text: colour temperature, ultraviolet.
void markedDisc(QPainter& p, const QColor& fill, const QColor& rim, std::string_view text, const QColor& ink)
{
    disc(p, fill, rim);
    pixelText(p, text, (17 - pixelWidth(text)) / 2, text.size() > 2 ? 6 : 5, 1, ink);
}

// A gobo: a dark metal disc; what is drawn after it, in Light, is the
// pattern the light passes through (clipped to the disc).
void gobo(QPainter& p)
{
    disc(p, QColor(28, 30, 40), QColor(100, 105, 120));
    QPainterPath inner;
    inner.addEllipse(Mid, 6.4, 6.4);
    p.setClipPath(inner);
    use(p, {NoColor, Light});
}

// A light disc with blades of a shutter drawn over it.
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

// Three overlapping filter circles, mixed with the given composition.
void mixing(QPainter& p, QPainter::CompositionMode mode, const std::array<QColor, 3>& colours)
{
    p.setCompositionMode(mode);
    circle(p, {8, 5}, 4.1, {NoColor, colours[0]});
    circle(p, {5.2, 10.2}, 4.1, {NoColor, colours[1]});
    circle(p, {10.8, 10.2}, 4.1, {NoColor, colours[2]});
}

// The gobo patterns: codes 8..12, 24..27, 30 and 33.
void drawGobo(QPainter& p, int code)
{
    gobo(p);
    switch (code) {
    case 8:  // dots
        circle(p, Mid, 1.3, {NoColor, Light});
        for (int a = 0; a < 360; a += 60) {
            circle(p, polar(Mid, 4.1, a), 1.3, {NoColor, Light});
        }
        break;
    case 9:  // star
        p.drawPolygon(star(Mid, 5.8, 2.4, 5));
        break;
    case 10:  // rings
        circle(p, Mid, 2.2, {Light, Qt::NoBrush, 1.3});
        circle(p, Mid, 4.9, {Light, Qt::NoBrush, 1.3});
        break;
    case 11:  // bars
        for (const int y : {3, 7, 11}) {
            p.fillRect(QRect(0, y, 16, 2), Light);
        }
        break;
    case 12:  // cross
        p.fillRect(QRect(7, 0, 2, 16), Light);
        p.fillRect(QRect(0, 7, 16, 2), Light);
        break;
    case 24:  // triangle
        polygon(p, {{8, 2.5}, {13, 11.5}, {3, 11.5}}, {NoColor, Light});
        break;
    case 25:  // flower
        p.translate(Mid);
        for (int k = 0; k < 5; ++k, p.rotate(72)) {
            p.drawEllipse(QRectF(-1.5, -6.2, 3, 5));
        }
        break;
    case 26:  // grid of dots
        for (const qreal x : {4.5, 8.0, 11.5}) {
            for (const qreal y : {4.5, 8.0, 11.5}) {
                circle(p, {x, y}, 1.05, {NoColor, Light});
            }
        }
        break;
    case 27:  // sunburst
        rays(p, Mid, 1.5, 7, Light, 1.4, 45);
        break;
    case 30:  // square
        box(p, QRectF(4.5, 4.5, 7, 7), {Light, Qt::NoBrush, 1.6});
        break;
    case 33:  // break-up
        for (const auto& [x, y, r] : {std::array{5.0, 5.0, 1.7},
                                      {10.5, 4.5, 1.1},
                                      {11.0, 10.0, 1.9},
                                      {5.5, 11.0, 1.2},
                                      {8.2, 8.0, 0.9},
                                      {3.4, 8.2, 0.8},
                                      {8.5, 13.4, 0.8}}) {
            circle(p, {x, y}, r, {NoColor, Light});
        }
        break;
    default:
        break;
    }
}

// Codes 0..74: fixture functions.
void drawFunction(QPainter& p, int code)
{
    switch (code) {
    case 0:  // open beam
        disc(p, Light, Ink);
        break;
    case 3:  // rotation
        turnArrow(p, 5.2, 110, -300, QColor(30, 100, 210));
        break;
    case 4:  // prism
        stroke(p, {{0, 9.5}, {4, 8.5}}, QColor(110, 110, 120), 1.3);
        polygon(p, {{7, 1.5}, {1.5, 13.5}, {12.5, 13.5}}, {Ink, QColor(190, 225, 250)});
        stroke(p, {{10, 8.5}, {15.5, 4.5}}, QColor(230, 30, 30), 1.3);
        stroke(p, {{10, 8.5}, {15.5, 8.5}}, QColor(30, 170, 40), 1.3);
        stroke(p, {{10, 8.5}, {15.5, 12.5}}, QColor(30, 70, 230), 1.3);
        break;
    case 5:  // frost: a snowflake
        p.translate(Mid);
        for (int k = 0; k < 3; ++k, p.rotate(60)) {
            const QColor c(60, 130, 210);
            stroke(p, {{-6.5, 0}, {6.5, 0}}, c, 1.3);
            stroke(p, {{6, -1.8}, {4.2, 0}, {6, 1.8}}, c, 1.3);
            stroke(p, {{-6, -1.8}, {-4.2, 0}, {-6, 1.8}}, c, 1.3);
        }
        break;
    case 6:  // iris: blades round a small opening
        disc(p, QColor(70, 72, 86), Ink);
        use(p, {QColor(175, 180, 195)});
        for (int a = 0; a < 360; a += 60) {
            p.drawLine(polar(Mid, 2.4, a), polar(Mid, 6.6, a + 80));
        }
        use(p, {NoColor, Light});
        p.drawPolygon(star(Mid, 2.5, 2.5 * 0.866, 3));
        break;
    case 23:  // shutter: blades closing from top and bottom
        shutter(p, {{{0, 0}, {16, 0}, {16, 6}, {0, 6}}, {{0, 10}, {16, 10}, {16, 16}, {0, 16}}});
        break;
    case 29:  // strobe: a flash
        box(p, QRectF(0.5, 0.5, 15, 15), {NoColor, QColor(25, 35, 75)}, 3);
        rays(p, Mid, 2.5, 7, QColor(255, 240, 150), 1.3, 90);
        rays(p, Mid, 2.5, 5, QColor(255, 240, 150), 1.3, 90, 45);
        circle(p, Mid, 2.3, {NoColor, Light});
        break;
    case 31: {  // dimmer: a rising wedge from dark to bright
        QLinearGradient g(1.5, 0, 14.5, 0);
        g.setColorAt(0, QColor(45, 45, 50));
        g.setColorAt(1, QColor(255, 215, 60));
        polygon(p, {{1.5, 13.5}, {14.5, 13.5}, {14.5, 2.5}}, {Ink, g});
        break;
    }
    case 32:  // pan
        twoWay(p, {0.5, 8}, {15.5, 8}, QColor(30, 80, 190), 2);
        break;
    case 34:  // tilt
        twoWay(p, {8, 0.5}, {8, 15.5}, QColor(30, 80, 190), 2);
        break;
    case 35:  // pan and tilt
        twoWay(p, {0.5, 8}, {15.5, 8}, QColor(20, 140, 120), 1.6);
        twoWay(p, {8, 0.5}, {8, 15.5}, QColor(20, 140, 120), 1.6);
        break;
    case 36:  // focus: a sight
        circle(p, Mid, 5, {Ink, Qt::NoBrush, 1.2});
        rays(p, Mid, 2.5, 7.5, Ink, 1.2, 90);
        circle(p, Mid, 1.4, {NoColor, QColor(220, 30, 30)});
        break;
    case 37:  // zoom: a narrow beam inside a wide one
        polygon(p, {{4, 7}, {15.5, 1.5}, {15.5, 14.5}, {4, 9}}, {QColor(200, 150, 30), QColor(255, 225, 110)});
        polygon(p, {{4, 7.3}, {15.5, 5.5}, {15.5, 10.5}, {4, 8.7}}, {NoColor, QColor(255, 175, 30)});
        box(p, QRectF(0.5, 5.5, 3.5, 5), {Ink, Steel});
        break;
    case 38:  // speed: a gauge
        use(p, {Ink, QColor(235, 238, 245), 1.2});
        p.drawPie(QRectF(1, 5, 14, 14), 0, 180 * 16);
        rays(p, {8, 12}, 5, 6.5, Ink, 1, 30, 210, 120);
        stroke(p, {{8, 12}, {12.5, 7}}, QColor(215, 30, 30), 1.6);
        circle(p, {8, 12}, 1.3, {NoColor, Ink});
        break;
    case 39:  // reset
        turnArrow(p, 5.2, 30, 135, QColor(200, 45, 40));
        turnArrow(p, 5.2, 210, 135, QColor(200, 45, 40));
        break;
    case 43:  // lamp on
        bulb(p, QColor(255, 220, 60), 3.3);
        rays(p, {8, 6.5}, 4.6, 6.6, QColor(240, 160, 0), 1.2, 45, 180, 180);
        break;
    case 44:  // lamp off
        bulb(p, QColor(190, 192, 200), 4.4);
        break;
    case 45:  // fan
        circle(p, Mid, 7, {QColor(130, 135, 150)});
        p.translate(Mid);
        for (int k = 0; k < 3; ++k, p.rotate(120)) {
            ellipse(p, {1.3, -3.3}, 1.8, 3, {NoColor, QColor(55, 120, 195)});
        }
        circle(p, {0, 0}, 1.6, {NoColor, Ink});
        break;
    case 46:  // smoke machine
        shape(p, puffs({{11.8, 9.5, 2.6}, {11.5, 4.8, 3.2}, {7, 4, 2.8}}),
              {QColor(120, 125, 140), QColor(200, 204, 214)});
        box(p, QRectF(0.5, 8.5, 8, 6), {Ink, Steel});
        box(p, QRectF(8.5, 10, 1.5, 2), {Ink, Steel});
        break;
    case 47:  // mirror: a beam turned through a right angle
        stroke(p, {{0, 9.5}, {8, 9.5}, {8, 0}}, QColor(245, 150, 20), 1.5);
        stroke(p, {{5, 15}, {13.5, 6.5}}, Ink);
        stroke(p, {{3.5, 14}, {12.5, 5}}, QColor(110, 160, 215), 2.4);
        break;
    case 48:  // scanner: a body with a mirror in front
        polygon(p, {{12.5, 7}, {15.5, 15.5}, {7.5, 15.5}}, {NoColor, QColor(255, 220, 90, 220)});
        box(p, QRectF(0.5, 4.5, 10, 5.5), {Ink, Steel}, 1);
        stroke(p, {{11, 3.5}, {14.5, 9}}, QColor(120, 170, 225), 2);
        break;
    case 49:  // moving head: a head turning in a yoke
        stroke(p, {{3, 4}, {3, 11}, {13, 11}, {13, 4}}, Ink, 1.6);
        stroke(p, {{8, 11}, {8, 12.5}}, Ink, 1.6);
        box(p, QRectF(4.5, 12.5, 7, 3), {Ink, Steel});
        circle(p, {8, 6.5}, 3.6, {Ink, QColor(60, 65, 80)});
        circle(p, {8, 6.5}, 1.8, {NoColor, QColor(255, 215, 70)});
        break;
    case 50:  // PAR can
        polygon(p, {{1, 5}, {10, 3}, {10, 13}, {1, 11}}, {Ink, QColor(55, 58, 70)});
        ellipse(p, {10.5, 8}, 2.2, 5, {QColor(180, 130, 20), QColor(255, 220, 90)});
        stroke(p, {{3, 15.5}, {5.5, 12.5}, {8, 15.5}}, Ink, 1.2);
        break;
    case 51:  // fog
        use(p, {QColor(135, 140, 160), Qt::NoBrush, 1.5});
        wave(p, 4, 1.3, 7, 2.5);
        wave(p, 8, 1.3, 7);
        wave(p, 12, 1.3, 7, 2.5);
        break;
    case 52:  // laser
        for (const qreal y : {1.5, 6.0, 10.5}) {
            stroke(p, {{5.5, 12}, {15.5, y}}, QColor(240, 20, 30), 1.1);
        }
        box(p, QRectF(0.5, 10.5, 5, 4), {Ink, QColor(60, 62, 75)});
        break;
    case 53:  // colour mixing, subtractive
        mixing(p, QPainter::CompositionMode_Multiply, {QColor(0, 200, 235), QColor(235, 0, 160), QColor(255, 230, 0)});
        break;
    case 54:  // colour mixing, additive
        mixing(p, QPainter::CompositionMode_Plus, {QColor(255, 0, 0), QColor(0, 220, 0), QColor(0, 80, 255)});
        break;
    case 55:  // gobo rotation
        disc(p, QColor(28, 30, 40), QColor(100, 105, 120), 4.3);
        use(p, {NoColor, Light});
        p.drawPolygon(star(Mid, 3.2, 1.4, 5));
        turnArrow(p, 6.1, 150, -290, QColor(30, 100, 210), 1.3, 3.0);
        break;
    case 56:  // gobo wheel
        disc(p, QColor(185, 190, 202), Ink);
        for (int a = 30; a < 390; a += 60) {
            circle(p, polar(Mid, 4.5, a), 1.5, {NoColor, Dark});
        }
        circle(p, Mid, 1, {NoColor, Dark});
        break;
    case 57:  // spot: a beam onto the floor
        polygon(p, {{6.5, 3.5}, {9.5, 3.5}, {14, 13}, {2, 13}}, {NoColor, QColor(255, 235, 140, 210)});
        ellipse(p, {8, 13}, 6, 2.2, {QColor(200, 140, 20), QColor(255, 200, 50)});
        box(p, QRectF(5.5, 0.5, 5, 3), {Ink, Steel});
        break;
    case 58:  // fader
        for (int y = 2; y <= 14; y += 3) {
            stroke(p, {{1.5, y + 0.5}, {3.5, y + 0.5}}, QColor(140, 145, 160));
        }
        p.fillRect(QRect(7, 1, 2, 14), Ink);
        box(p, QRectF(3.5, 8.5, 9, 4), {Ink, QColor(205, 210, 222)});
        stroke(p, {{4.5, 10.5}, {11.5, 10.5}}, QColor(215, 30, 30));
        break;
    case 59: {  // macro: a cog
        QPolygonF teeth;
        for (int i = 0; i < 32; ++i) {
            teeth << polar(Mid, i % 4 < 2 ? 7.2 : 5.2, 11.25 * i);
        }
        QPainterPath cog;
        cog.addPolygon(teeth);
        cog.closeSubpath();
        cog.addEllipse(Mid, 2.2, 2.2);
        shape(p, cog, {Ink, QColor(125, 130, 145)});
        break;
    }
    case 60:  // sound: a wave
        use(p, {QColor(30, 150, 60), Qt::NoBrush, 1.6});
        wave(p, 8, 5, 7);
        break;
    case 61:  // DMX connector
        disc(p, QColor(70, 72, 86), Ink);
        for (const Pt pin : {Pt(5, 6.5), Pt(11, 6.5), Pt(8, 11)}) {
            circle(p, pin, 1.4, {NoColor, Light});
        }
        p.fillRect(QRect(7, 1, 2, 2), Light);
        break;
    case 62: {  // colour temperature: warm to cool
        QLinearGradient g(1, 0, 15, 0);
        g.setColorAt(0, QColor(255, 140, 30));
        g.setColorAt(0.5, QColor(255, 245, 225));
        g.setColorAt(1, QColor(90, 150, 255));
        box(p, QRectF(0.5, 4.5, 15, 7), {Ink, g});
        break;
    }
    case 63:  // ramp: a sawtooth
        stroke(p, {{1, 13}, {5.5, 3}, {5.5, 13}, {10, 3}, {10, 13}, {14.5, 3}}, QColor(130, 60, 185), 1.5);
        break;
    case 64:  // barn doors
        polygon(p, {{5, 5}, {11, 5}, {14.5, 1}, {1.5, 1}}, {Ink, Steel});
        polygon(p, {{5, 11}, {11, 11}, {14.5, 15}, {1.5, 15}}, {Ink, Steel});
        polygon(p, {{5, 5}, {5, 11}, {1, 14.5}, {1, 1.5}}, {Ink, Steel});
        polygon(p, {{11, 5}, {11, 11}, {15, 14.5}, {15, 1.5}}, {Ink, Steel});
        box(p, QRectF(5, 5, 6, 6), {Ink, QColor(255, 220, 90)});
        break;
    case 65:  // framing shutters
        shutter(p, {{{0, 0}, {16, 0}, {16, 3}, {0, 6}},
                    {{16, 0}, {16, 16}, {11, 16}, {12.5, 0}},
                    {{0, 16}, {16, 16}, {16, 12}, {0, 10.5}},
                    {{0, 0}, {4.5, 0}, {3, 16}, {0, 16}}});
        break;
    case 66: {  // colour wheel
        QConicalGradient g(Mid, 0);
        const std::array<QColor, 7> hues{Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::red};
        for (std::size_t i = 0; i < hues.size(); ++i) {
            g.setColorAt(static_cast<qreal>(i) / 6, hues[i]);
        }
        disc(p, g, Ink);
        break;
    }
    case 67:  // LED bar
        box(p, QRectF(0.5, 4.5, 15, 7), {Ink, Dark}, 1.5);
        circle(p, {3.2, 8}, 1.3, {NoColor, QColor(255, 40, 40)});
        circle(p, {6.4, 8}, 1.3, {NoColor, QColor(40, 220, 60)});
        circle(p, {9.6, 8}, 1.3, {NoColor, QColor(50, 110, 255)});
        circle(p, {12.8, 8}, 1.3, {NoColor, Light});
        break;
    case 68:  // blinder
        box(p, QRectF(0.5, 0.5, 15, 15), {NoColor, Dark}, 2);
        for (const Pt c : {Pt(4.5, 4.5), Pt(11.5, 4.5), Pt(4.5, 11.5), Pt(11.5, 11.5)}) {
            circle(p, c, 2.6, {QColor(255, 240, 170), QColor(255, 205, 60)});
        }
        break;
    case 69: {  // dimmer curve
        stroke(p, {{2, 1.5}, {2, 14}, {14.5, 14}}, Ink, 1.2);
        QPainterPath curve({2, 14});
        curve.quadTo(12, 14, 14, 2);
        shape(p, curve, {QColor(235, 120, 20), Qt::NoBrush, 1.6});
        break;
    }
    case 70:  // fine adjustment: a scale
        box(p, QRectF(0.5, 4.5, 15, 7), {QColor(150, 110, 40), QColor(240, 215, 140)});
        for (int i = 0; i < 6; ++i) {
            stroke(p, {{2.5 + 2 * i, 4.5}, {2.5 + 2 * i, i % 2 ? 6.5 : 8.5}}, Ink);
        }
        break;
    case 71:  // time: an hourglass
        polygon(p, {{4, 2}, {12, 2}, {8.8, 8}, {12, 14}, {4, 14}, {7.2, 8}}, {Ink, QColor(225, 235, 245)});
        polygon(p, {{5.6, 5}, {10.4, 5}, {8.4, 7.8}, {7.6, 7.8}}, {NoColor, QColor(215, 165, 70)});
        polygon(p, {{5, 13.6}, {11, 13.6}, {8, 10.5}}, {NoColor, QColor(215, 165, 70)});
        stroke(p, {{3, 1.5}, {13, 1.5}}, Ink, 1.6);
        stroke(p, {{3, 14.5}, {13, 14.5}}, Ink, 1.6);
        break;
    case 72: {  // fire
        QPainterPath outer({8, 0.5});
        outer.cubicTo(9.5, 4.5, 14.5, 7, 12.5, 12);
        outer.cubicTo(11.5, 14.8, 4.5, 14.8, 3.5, 12);
        outer.cubicTo(2.2, 8.5, 6, 7, 8, 0.5);
        shape(p, outer, {QColor(190, 60, 10), QColor(245, 110, 20)});
        QPainterPath inner({8, 6});
        inner.cubicTo(9, 8.5, 11, 10, 10.2, 12.3);
        inner.cubicTo(9.5, 14, 6.5, 14, 5.8, 12.3);
        inner.cubicTo(5.2, 10.5, 7.5, 9, 8, 6);
        shape(p, inner, {NoColor, QColor(255, 220, 60)});
        break;
    }
    case 73:  // ultraviolet tube
        box(p, QRectF(0, 3, 16, 10), {NoColor, QColor(150, 70, 255, 90)}, 5);
        box(p, QRectF(1.5, 6, 13, 4), {QColor(110, 40, 200), QColor(180, 115, 255)}, 2);
        p.fillRect(QRect(0, 6, 2, 4), Steel);
        p.fillRect(QRect(14, 6, 2, 4), Steel);
        break;
    case 74:  // power
        use(p, {QColor(30, 150, 60), Qt::NoBrush, 1.8});
        p.drawArc(QRectF(2, 2.5, 12, 12), 125 * 16, 290 * 16);
        stroke(p, {{8, 1.2}, {8, 7.5}}, QColor(30, 150, 60), 1.8);
        break;
    case 28:  // split colour: green and magenta
        use(p, {NoColor, Filters[4]});
        p.drawPie(QRectF(1, 1, 14, 14), 90 * 16, 180 * 16);
        use(p, {NoColor, Filters[8]});
        p.drawPie(QRectF(1, 1, 14, 14), 90 * 16, -180 * 16);
        disc(p, Qt::NoBrush, Ink);
        break;
    case 40:  // colour temperature and ultraviolet filters
        markedDisc(p, QColor(255, 190, 110), QColor(170, 100, 30), "3200", QColor(70, 30, 0));
        break;
    case 41:
        markedDisc(p, QColor(140, 40, 220), QColor(80, 10, 140), "UV", Light);
        break;
    case 42:
        markedDisc(p, QColor(215, 230, 255), QColor(90, 120, 180), "5600", QColor(20, 40, 120));
        break;
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 24:
    case 25:
    case 26:
    case 27:
    case 30:
    case 33:
        drawGobo(p, code);
        break;
    default:
        if (code >= 13 && code <= 22) {  // colour filters
            const QColor c = Filters[static_cast<std::size_t>(code - 13)];
            disc(p, c, c.lightness() > 200 ? QColor(130, 130, 140) : c.darker(170));
        }
        break;  // 1, 2 and 7 stay empty
    }
}

void face(QPainter& p, bool happy)
{
    disc(p, QColor(255, 215, 40), Brass);
    circle(p, {5.6, 6}, 1.1, {NoColor, Ink});
    circle(p, {10.4, 6}, 1.1, {NoColor, Ink});
    use(p, {Ink, Qt::NoBrush, 1.3});
    if (happy) {
        p.drawArc(QRectF(4.5, 5, 7, 6), 200 * 16, 140 * 16);
    } else {
        p.drawArc(QRectF(4.5, 10, 7, 5), 25 * 16, 130 * 16);
    }
}

// Codes 75..141: general symbols.
void drawSymbol(QPainter& p, int code)
{
    switch (code) {
    case 75:
    case 76:  // faces
        face(p, code == 75);
        break;
    case 77:  // folder
        box(p, QRectF(0.5, 2.5, 7, 4), {QColor(170, 120, 20), QColor(235, 185, 60)}, 1);
        box(p, QRectF(0.5, 4.5, 15, 10), {QColor(170, 120, 20), QColor(235, 185, 60)});
        box(p, QRectF(0.5, 6.5, 15, 8), {QColor(170, 120, 20), QColor(255, 215, 105)});
        break;
    case 78:  // document
        polygon(p, {{2.5, 0.5}, {10, 0.5}, {13.5, 4}, {13.5, 15.5}, {2.5, 15.5}}, {Ink, Light});
        stroke(p, {{10, 0.5}, {10, 4}, {13.5, 4}}, Ink);
        for (const qreal y : {6.5, 8.5, 10.5, 12.5}) {
            stroke(p, {{4.5, y}, {11.5, y}}, QColor(140, 145, 165));
        }
        break;
    case 79:  // star
        use(p, {QColor(190, 120, 0), QColor(255, 200, 20)});
        p.drawPolygon(star({8, 8.6}, 7.4, 3.1, 5));
        break;
    case 80: {  // heart
        QPainterPath heart({8, 14.5});
        heart.cubicTo(-1, 8, 2, 0.5, 8, 4.5);
        heart.cubicTo(14, 0.5, 17, 8, 8, 14.5);
        shape(p, heart, {QColor(150, 10, 30), QColor(225, 30, 50)});
        break;
    }
    case 81:  // check mark
        stroke(p, {{2, 8.5}, {6, 12.5}, {14, 3.5}}, QColor(30, 160, 50), 2.6);
        break;
    case 82:  // cross
        stroke(p, {{3.5, 3.5}, {12.5, 12.5}}, QColor(210, 30, 30), 2.6);
        stroke(p, {{12.5, 3.5}, {3.5, 12.5}}, QColor(210, 30, 30), 2.6);
        break;
    case 83:
    case 84:
    case 85:
    case 86:
    case 87:  // arrows right, left, up, down, up and right
        p.translate(Mid);
        p.rotate(std::array{0, 180, -90, 90, -45}[static_cast<std::size_t>(code - 83)]);
        polygon(p, {{-6.5, -2}, {0.5, -2}, {0.5, -5.8}, {7, 0}, {0.5, 5.8}, {0.5, 2}, {-6.5, 2}}, {Navy, Blue});
        break;
    case 88: {  // turn back
        QPainterPath back({13.5, 15});
        back.lineTo(13.5, 8.5);
        back.quadTo(13.5, 4.5, 9.5, 4.5);
        back.lineTo(4, 4.5);
        shape(p, back, {Blue, Qt::NoBrush, 2});
        head(p, {0.5, 4.5}, {-1, 0}, Blue, 4);
        break;
    }
    case 89:  // note
        ellipse(p, {4.5, 12.8}, 2.4, 1.8, {NoColor, Ink});
        ellipse(p, {12, 11.3}, 2.4, 1.8, {NoColor, Ink});
        polygon(p, {{5.9, 2.8}, {14.4, 1}, {14.4, 3.8}, {5.9, 5.6}}, {NoColor, Ink});
        stroke(p, {{6.3, 12.5}, {6.3, 3}}, Ink, 1.3);
        stroke(p, {{13.8, 11}, {13.8, 1.5}}, Ink, 1.3);
        break;
    case 90: {  // bell
        QPainterPath bell({1.5, 12.5});
        bell.cubicTo(4, 11, 3.8, 9, 3.8, 7);
        bell.cubicTo(3.8, 1.5, 12.2, 1.5, 12.2, 7);
        bell.cubicTo(12.2, 9, 12, 11, 14.5, 12.5);
        bell.closeSubpath();
        circle(p, {8, 13.6}, 1.7, {Brass, QColor(250, 200, 40)});
        circle(p, {8, 1.8}, 1.1, {Brass, QColor(250, 200, 40)});
        shape(p, bell, {Brass, QColor(250, 200, 40)});
        break;
    }
    case 91: {  // lock
        QPainterPath shackle({5, 7.5});
        shackle.lineTo(5, 5);
        shackle.arcTo(QRectF(5, 2, 6, 6), 180, -180);
        shackle.lineTo(11, 7.5);
        shape(p, shackle, {QColor(125, 130, 145), Qt::NoBrush, 1.8});
        box(p, QRectF(2.5, 7, 11, 8), {Brass, QColor(240, 180, 30)}, 1.5);
        circle(p, {8, 10.2}, 1.3, {NoColor, Ink});
        p.fillRect(QRectF(7.5, 10.5, 1, 2.5), Ink);
        break;
    }
    case 92:  // key
        circle(p, {4.5, 8}, 3, {QColor(200, 150, 20), Qt::NoBrush, 2});
        stroke(p, {{7.5, 8}, {15, 8}}, QColor(200, 150, 20), 2);
        stroke(p, {{11.5, 8}, {11.5, 11.5}}, QColor(200, 150, 20), 1.6);
        stroke(p, {{14, 8}, {14, 10.5}}, QColor(200, 150, 20), 1.6);
        break;
    case 93:  // clock
        disc(p, Light, Ink);
        rays(p, Mid, 5, 6.3, Ink, 1, 90);
        stroke(p, {{8, 3.5}, {8, 8}, {11, 10}}, Ink, 1.4);
        break;
    case 94: {  // flag
        QPainterPath flag({3.5, 1.5});
        flag.cubicTo(7, 0, 10, 4, 14.5, 2);
        flag.lineTo(14.5, 9);
        flag.cubicTo(10, 11, 7, 7, 3.5, 8.5);
        flag.closeSubpath();
        shape(p, flag, {Maroon, Red});
        stroke(p, {{3, 1}, {3, 15.5}}, Ink, 1.5);
        break;
    }
    case 95:  // house
        box(p, QRectF(3, 7.5, 10, 7.5), {Ink, QColor(245, 235, 210)});
        polygon(p, {{0.8, 8.5}, {8, 1.5}, {15.2, 8.5}}, {QColor(130, 30, 20), QColor(200, 60, 40)});
        box(p, QRectF(6.5, 10.5, 3, 4.5), {Ink, QColor(130, 80, 40)});
        break;
    case 96:  // sun
        rays(p, Mid, 4.8, 7.3, QColor(245, 150, 0), 1.4, 45);
        circle(p, Mid, 3.6, {QColor(235, 150, 0), QColor(255, 210, 30)});
        break;
    case 97: {  // moon
        QPainterPath moon;
        QPainterPath bite;
        moon.addEllipse(Mid, 6.5, 6.5);
        bite.addEllipse(Pt(11.5, 5.5), 5.5, 5.5);
        shape(p, moon.subtracted(bite), {QColor(170, 140, 40), QColor(250, 225, 110)});
        break;
    }
    case 98:  // lightning
        polygon(p, {{10, 0.5}, {3.5, 9}, {7.5, 9}, {6, 15.5}, {12.5, 6.5}, {8.5, 6.5}, {11.5, 0.5}},
                {QColor(200, 120, 0), QColor(255, 215, 0)});
        break;
    case 99: {  // drop
        QPainterPath drop({8, 0.8});
        drop.cubicTo(9.5, 4, 13, 7, 13, 10.3);
        drop.cubicTo(13, 13.3, 10.7, 15.3, 8, 15.3);
        drop.cubicTo(5.3, 15.3, 3, 13.3, 3, 10.3);
        drop.cubicTo(3, 7, 6.5, 4, 8, 0.8);
        shape(p, drop, {QColor(20, 80, 170), QColor(60, 140, 235)});
        break;
    }
    case 100: {  // question mark
        QPainterPath hook({4.5, 5});
        hook.cubicTo(4.5, 0.8, 11.5, 0.8, 11.5, 5);
        hook.cubicTo(11.5, 7.5, 8, 7.5, 8, 10.5);
        shape(p, hook, {QColor(30, 90, 200), Qt::NoBrush, 2.2});
        circle(p, {8, 14}, 1.4, {NoColor, QColor(30, 90, 200)});
        break;
    }
    case 101:  // exclamation mark
        stroke(p, {{8, 1.8}, {8, 9.5}}, Red, 2.6);
        circle(p, {8, 13.8}, 1.5, {NoColor, Red});
        break;
    case 102:  // plus
        p.fillRect(QRect(7, 2, 2, 12), QColor(30, 150, 50));
        p.fillRect(QRect(2, 7, 12, 2), QColor(30, 150, 50));
        break;
    case 103:  // minus
        p.fillRect(QRect(2, 7, 12, 2), Red);
        break;
    case 120:  // cloud
        shape(p, puffs({{4.8, 10, 3.2}, {8.8, 7, 4}, {12, 10.4, 3}, {8, 11, 3.2}}),
              {QColor(80, 100, 140), QColor(245, 248, 255)});
        break;
    case 121:  // umbrella
        stroke(p, {{8, 1}, {8, 13.5}}, Ink, 1.4);
        p.drawArc(QRectF(5, 11.5, 3, 4), 180 * 16, 180 * 16);
        use(p, {QColor(140, 20, 30), QColor(220, 50, 60)});
        p.drawPie(QRectF(1, 2, 14, 12), 0, 180 * 16);
        break;
    case 122: {  // eye
        QPainterPath eye({0.8, 8});
        eye.quadTo(8, 0.5, 15.2, 8);
        eye.quadTo(8, 15.5, 0.8, 8);
        shape(p, eye, {Ink, Light, 1.1});
        circle(p, Mid, 2.9, {NoColor, QColor(60, 130, 210)});
        circle(p, Mid, 1.3, {NoColor, Ink});
        break;
    }
    case 123:  // magnifier
        stroke(p, {{10.5, 10.5}, {14.5, 14.5}}, QColor(110, 70, 40), 2.8);
        circle(p, {6.5, 6.5}, 4.7, {Ink, QColor(200, 225, 255), 1.5});
        break;
    case 124: {  // wrench
        p.translate(Mid);
        p.rotate(45);
        QPainterPath ring;
        QPainterPath jaw;
        QPainterPath handle;
        ring.addEllipse(Pt(0, -4.2), 3.4, 3.4);
        jaw.addRect(QRectF(-1.2, -8.5, 2.4, 4.6));
        handle.addRoundedRect(QRectF(-1.3, -1.5, 2.6, 9.3), 1.2, 1.2);
        shape(p, ring.subtracted(jaw).united(handle), {QColor(70, 75, 90), QColor(160, 165, 180)});
        break;
    }
    case 125:  // bin
        box(p, QRectF(6, 1.5, 4, 2), {Ink});
        polygon(p, {{3.5, 4.5}, {12.5, 4.5}, {11.5, 15.5}, {4.5, 15.5}}, {Ink, QColor(165, 170, 185)});
        stroke(p, {{2.5, 4}, {13.5, 4}}, Ink, 1.5);
        for (const qreal x : {6.3, 8.0, 9.7}) {
            stroke(p, {{x, 6.5}, {x, 13.5}}, QColor(90, 95, 110));
        }
        break;
    case 126:  // diskette
        polygon(p, {{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}, {Navy, QColor(50, 90, 180)});
        box(p, QRectF(4.5, 2, 6, 4), {NoColor, QColor(205, 210, 220)});
        box(p, QRectF(3.5, 8.5, 9, 5.5), {NoColor, Light});
        break;
    case 127:  // envelope
        box(p, QRectF(0.5, 3.5, 15, 9), {Ink, Light});
        stroke(p, {{0.5, 3.5}, {8, 9.5}, {15.5, 3.5}}, Ink);
        break;
    case 128:  // loudspeaker
        polygon(p, {{1, 6}, {4, 6}, {8, 2.5}, {8, 13.5}, {4, 10}, {1, 10}}, {Ink, Steel});
        use(p, {Ink, Qt::NoBrush, 1.3});
        p.drawArc(QRectF(6, 5, 6, 6), -50 * 16, 100 * 16);
        p.drawArc(QRectF(4, 2, 11, 12), -50 * 16, 100 * 16);
        break;
    case 129:  // play
        polygon(p, {{4, 2}, {13.5, 8}, {4, 14}}, {QColor(20, 110, 40), QColor(40, 170, 70)});
        break;
    case 130:  // pause
        p.fillRect(QRect(3, 2, 4, 12), QColor(50, 90, 180));
        p.fillRect(QRect(9, 2, 4, 12), QColor(50, 90, 180));
        break;
    case 131:  // stop
        box(p, QRectF(2.5, 2.5, 11, 11), {Maroon, QColor(200, 40, 40)}, 1.5);
        break;
    case 132:  // record
        disc(p, QColor(50, 52, 62), Ink, 6.8);
        circle(p, Mid, 3.6, {NoColor, QColor(235, 35, 35)});
        break;
    case 133:  // skip to next
        polygon(p, {{1.5, 3}, {7.5, 8}, {1.5, 13}}, {NoColor, QColor(50, 90, 180)});
        polygon(p, {{7, 3}, {13, 8}, {7, 13}}, {NoColor, QColor(50, 90, 180)});
        p.fillRect(QRect(13, 3, 2, 10), QColor(50, 90, 180));
        break;
    case 134: {  // person
        QPainterPath body({2, 15.5});
        body.cubicTo(2, 8.5, 14, 8.5, 14, 15.5);
        body.closeSubpath();
        shape(p, body, {NoColor, QColor(80, 110, 170)});
        circle(p, {8, 4.5}, 3, {NoColor, QColor(80, 110, 170)});
        break;
    }
    case 135:  // pencil
        p.translate(Mid);
        p.rotate(-45);
        box(p, QRectF(-5, -2, 9, 4), {QColor(150, 110, 10), QColor(250, 200, 40)});
        polygon(p, {{4, -2}, {7.5, 0}, {4, 2}}, {QColor(150, 110, 10), QColor(240, 210, 170)});
        box(p, QRectF(-7.5, -2, 2.5, 4), {QColor(150, 80, 100), QColor(240, 130, 150)});
        polygon(p, {{6.3, -0.7}, {7.6, 0}, {6.3, 0.7}}, {NoColor, Ink});
        break;
    case 136:  // information
        disc(p, QColor(40, 110, 210), Navy);
        circle(p, {8, 4.6}, 1.3, {NoColor, Light});
        p.fillRect(QRect(7, 7, 2, 6), Light);
        break;
    case 137:  // warning
        polygon(p, {{8, 1}, {15.2, 14.5}, {0.8, 14.5}}, {QColor(60, 50, 20), QColor(255, 205, 30), 1.2});
        p.fillRect(QRect(7, 5, 2, 5), Ink);
        p.fillRect(QRect(7, 11, 2, 2), Ink);
        break;
    case 138:  // forbidden
        circle(p, Mid, 6, {QColor(215, 30, 30), Qt::NoBrush, 2});
        stroke(p, {{3.8, 3.8}, {12.2, 12.2}}, QColor(215, 30, 30), 2);
        break;
    case 139:  // gem
        polygon(p, {{8, 15}, {15, 6}, {12, 2}, {4, 2}, {1, 6}}, {Navy, QColor(80, 170, 240)});
        stroke(p, {{1.5, 6}, {14.5, 6}}, QColor(200, 235, 255));
        stroke(p, {{5.5, 6.5}, {8, 14}, {10.5, 6.5}}, QColor(200, 235, 255));
        break;
    case 140:  // battery
        box(p, QRectF(0.5, 4.5, 13, 7), {Ink, Light});
        p.fillRect(QRect(14, 6, 2, 4), Ink);
        p.fillRect(QRect(2, 6, 3, 4), QColor(40, 170, 60));
        p.fillRect(QRect(6, 6, 3, 4), QColor(40, 170, 60));
        break;
    case 141: {  // map pin
        QPainterPath top;
        QPainterPath point;
        top.addEllipse(Pt(8, 6), 5, 5);
        point.addPolygon(QPolygonF({Pt(3.8, 8.5), Pt(12.2, 8.5), Pt(8, 15.5)}));
        shape(p, top.united(point), {Maroon, QColor(225, 45, 45)});
        circle(p, {8, 6}, 1.9, {NoColor, Light});
        break;
    }
    default: {  // 104..119: digits 0..9 and letters A..F on a label
        const char c = "0123456789ABCDEF"[code - 104];
        box(p, QRectF(0.5, 0.5, 15, 15), {Ink, code < 114 ? QColor(250, 250, 252) : QColor(255, 232, 160)}, 3);
        pixelText(p, std::string_view(&c, 1), 5, 3, 2, Ink);
        break;
    }
    }
}

}  // namespace

QImage ImageListGobo::image(int code)
{
    if (code < 0 || code >= Count) {
        return {};
    }
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (code < 75) {
        drawFunction(p, code);
    } else {
        drawSymbol(p, code);
    }
    return image;
}

const QPixmap& ImageListGobo::picture(int code)
{
    static const QPixmap none;
    static std::array<QPixmap, Count> drawn;
    if (code < 0 || code >= Count) {
        return none;
    }
    QPixmap& pixmap = drawn[static_cast<std::size_t>(code)];
    if (pixmap.isNull()) {
        pixmap = QPixmap::fromImage(image(code));
    }
    return pixmap;
}

}  // namespace velantra
