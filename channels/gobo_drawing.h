// The drawing kit of the gobo pictures: the colours and small shapes the 142
// pictures are built from, on a 16 x 16 painter with (8, 8) in the middle.
// gobo_functions.cpp draws codes 0..74 with them, gobo_symbols.cpp 75..141;
// ImageListGobo (gobo_images.h) is the only way in from the rest of the program.
//
// Any thread. Never blocks. Every function here only draws on the painter it is given.
#pragma once

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <array>
#include <initializer_list>
#include <string_view>

namespace velantra::gobo {

using Pt = QPointF;

inline constexpr Pt Mid(8, 8);
inline constexpr QColor NoColor;  // no outline, or no fill
inline constexpr QColor Ink(36, 40, 52);
inline constexpr QColor Light(255, 255, 245);
inline constexpr QColor Steel(80, 84, 98);

// How a shape is drawn: outline colour (NoColor: no outline), fill, outline width.
struct Look {
    QColor line;
    QBrush fill = Qt::NoBrush;
    qreal width = 1.0;
};

// Sets the painter's pen and brush to a look.
void use(QPainter& p, const Look& look);

void ellipse(QPainter& p, Pt centre, qreal rx, qreal ry, const Look& look);
void circle(QPainter& p, Pt centre, qreal r, const Look& look);
void polygon(QPainter& p, std::initializer_list<Pt> points, const Look& look);
// An open line through points.
void stroke(QPainter& p, std::initializer_list<Pt> points, const QColor& c, qreal width = 1.0);
void box(QPainter& p, const QRectF& r, const Look& look, qreal radius = 0);
void shape(QPainter& p, const QPainterPath& path, const Look& look);

// The point r away from centre at an angle in degrees (clockwise on screen, 0 pointing right).
Pt polar(Pt centre, qreal r, qreal degrees);

// Lines from radius r0 to r1 out of the centre, every step degrees from
// first through span (degrees clockwise on screen, 0 pointing right).
void rays(QPainter& p, Pt centre, qreal r0, qreal r1, const QColor& c, qreal width, qreal step, qreal first = 0,
          qreal span = 359);

// The middle disc most pictures stand on.
void disc(QPainter& p, const QBrush& fill, const QColor& rim, qreal r = 7.0);

// A filled arrow head with its tip at tip, pointing along direction.
void head(QPainter& p, Pt tip, Pt direction, const QColor& c, qreal size = 3.6);

// A straight arrow with heads at both ends.
void twoWay(QPainter& p, Pt from, Pt to, const QColor& c, qreal width);

// An arc around the middle from angle start through span degrees (QPainter's
// angles: counter-clockwise when positive) with a head at its end.
void turnArrow(QPainter& p, qreal r, qreal start, qreal span, const QColor& c, qreal width = 1.7, qreal size = 3.4);

// A star of points tips, the tips outer and the notches inner from the centre, one tip straight up.
QPolygonF star(Pt centre, qreal outer, qreal inner, int points);

// Overlapping circles {x, y, r} merged into one outline (clouds, smoke).
QPainterPath puffs(std::initializer_list<std::array<qreal, 3>> circles);

// A sine line at height y from x0 to x1, in the painter's current pen.
void wave(QPainter& p, qreal y, qreal amplitude, qreal period, qreal x0 = 1.0, qreal x1 = 15.0);

// Text in the pixel font from (x, y), each font pixel scale x scale screen
// pixels. The font has the digits and the letters A..F, U and V.
void pixelText(QPainter& p, std::string_view text, int x, int y, int scale, const QColor& c);

// A filter disc marked with text: colour temperature, ultraviolet.
void markedDisc(QPainter& p, const QColor& fill, const QColor& rim, std::string_view text, const QColor& ink);

// A gobo: a dark metal disc; what is drawn after it, in Light, is the
// pattern the light passes through (clipped to the disc).
void gobo(QPainter& p);

// A light disc with blades of a shutter drawn over it.
void shutter(QPainter& p, std::initializer_list<std::initializer_list<Pt>> blades);

// A light bulb of glass colour, its round part of radius r, standing on its cap.
void bulb(QPainter& p, const QColor& glass, qreal r);

// Three overlapping filter circles, mixed with the given composition.
void mixing(QPainter& p, QPainter::CompositionMode mode, const std::array<QColor, 3>& colours);

// The picture of a fixture function, codes 0..74 (gobo_functions.cpp).
void drawFunction(QPainter& p, int code);
// The picture of a general symbol, codes 75..141 (gobo_symbols.cpp).
void drawSymbol(QPainter& p, int code);

}  // namespace velantra::gobo
