// The pictures of the general symbols, codes 75..141: faces, arrows, signs,
// the weather, tools, the player buttons and labels with a digit or letter.
#include "channels/gobo_drawing.h"

#include <QRect>

#include <array>
#include <cstddef>

namespace velantra::gobo {

namespace {

constexpr QColor Blue(45, 115, 215);
constexpr QColor Navy(20, 60, 140);
constexpr QColor Brass(160, 110, 0);
constexpr QColor Red(220, 40, 40);
constexpr QColor Maroon(140, 20, 20);

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

}  // namespace

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

}  // namespace velantra::gobo
