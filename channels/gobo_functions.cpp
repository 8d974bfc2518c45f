// The pictures of the fixture functions, codes 0..74: the open beam, the
// gobo patterns, the colour filters, pan, tilt, strobe, lamps and the like.
#include "channels/gobo_drawing.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QRect>

#include <array>
#include <cstddef>

namespace velantra::gobo {

namespace {

constexpr QColor Dark(40, 42, 55);

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

}  // namespace

// Codes 0..74: fixture functions.
void drawFunction(QPainter& p, int code)
{
    switch (code) {
    case 0:  // open beam: the open hole of a gobo wheel, unlike the white filter (13)
        disc(p, QColor(28, 30, 40), QColor(100, 105, 120));
        disc(p, Light, Ink, 4.6);
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

}  // namespace velantra::gobo
