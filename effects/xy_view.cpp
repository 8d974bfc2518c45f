#include "effects/xy_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace velantra {

namespace {

constexpr int Middle = 127;
constexpr int GridStep = 16;
constexpr int IconSize = 20;

const QColor GridGrey(128, 128, 128);
const QColor FirstLime(0, 255, 0);
const QColor PointGreen(0, 128, 0);
const QColor LastRed(255, 0, 0);
const QColor PathBlue(0, 0, 255);

QPoint pixelOf(const LevelPair& point)
{
    return {point.p, XyViewSize - 1 - point.q};
}

// A filled square of side 2r around the pixel, its right and bottom edge left out.
void square(QPainter& p, QPoint centre, int r, const QColor& colour)
{
    p.fillRect(QRect(centre.x() - r, centre.y() - r, 2 * r, 2 * r), colour);
}

QPolygonF polygon(std::initializer_list<QPointF> points)
{
    return QPolygonF(QList<QPointF>(points));
}

void drawIcon(QPainter& p, XyIcon kind)
{
    const double c = IconSize / 2.0;
    switch (kind) {
    case XyIcon::Line:
        p.drawLine(QPointF(3, 17), QPointF(17, 3));
        break;
    case XyIcon::Triangle:
        p.drawPolygon(polygon({{10, 3}, {17, 16}, {3, 16}}));
        break;
    case XyIcon::Rectangle:
        p.drawRect(QRectF(3.5, 5.5, 13, 9));
        break;
    case XyIcon::Snake: {
        QPainterPath wave;
        wave.moveTo(2, c);
        for (int i = 1; i <= 32; ++i) {
            const double x = 2 + i * 0.5;
            wave.lineTo(x, c - 5 * std::sin(i * std::numbers::pi / 8));
        }
        p.drawPath(wave);
        break;
    }
    case XyIcon::Circle:
        p.drawEllipse(QPointF(c, c), 7, 7);
        break;
    case XyIcon::Spiral: {
        QPainterPath spiral;
        spiral.moveTo(c, c);
        for (int i = 1; i <= 60; ++i) {
            const double a = i * std::numbers::pi / 12;
            const double r = i * 8.0 / 60;
            spiral.lineTo(c + r * std::sin(a), c - r * std::cos(a));
        }
        p.drawPath(spiral);
        break;
    }
    case XyIcon::MirrorX:
        p.drawLine(QPointF(c, 2), QPointF(c, 18));
        p.drawPolygon(polygon({{8, 5}, {8, 15}, {2, 10}}));
        p.drawPolygon(polygon({{12, 5}, {12, 15}, {18, 10}}));
        break;
    case XyIcon::MirrorY:
        p.drawLine(QPointF(2, c), QPointF(18, c));
        p.drawPolygon(polygon({{5, 8}, {15, 8}, {10, 2}}));
        p.drawPolygon(polygon({{5, 12}, {15, 12}, {10, 18}}));
        break;
    case XyIcon::Smaller:
        p.drawRect(QRectF(6.5, 6.5, 7, 7));
        break;
    case XyIcon::Larger:
        p.drawRect(QRectF(2.5, 2.5, 15, 15));
        break;
    case XyIcon::Turn: {
        QPainterPath arc;
        arc.arcMoveTo(QRectF(3, 3, 14, 14), 300);
        arc.arcTo(QRectF(3, 3, 14, 14), 300, 270);
        p.drawPath(arc);
        p.drawPolygon(polygon({{14, 13}, {18, 16}, {17, 11}}));
        break;
    }
    }
}

}  // namespace

XyGridView::XyGridView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(XyViewSize, XyViewSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void XyGridView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(GridGrey, 1, Qt::SolidLine));
    for (int d = GridStep; d < XyViewSize / 2; d += GridStep) {
        for (int line : {Middle + d, Middle - d}) {
            p.drawLine(line, 0, line, XyViewSize - 1);
            p.drawLine(0, line, XyViewSize - 1, line);
        }
    }
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    p.drawLine(Middle, 0, Middle, XyViewSize - 1);
    p.drawLine(0, Middle, XyViewSize - 1, Middle);
}

XyPathView::XyPathView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(XyViewSize, XyViewSize);
    setMouseTracking(true);
}

void XyPathView::setPath(std::vector<LevelPair> points)
{
    if (points == points_) {
        return;  // the same path: nothing to redraw
    }
    points_ = std::move(points);
    update();
}

void XyPathView::paintEvent(QPaintEvent*)
{
    if (points_.empty()) {
        return;
    }
    QPainter p(this);
    p.setPen(QPen(PathBlue, 1, Qt::SolidLine));
    QPoint previous = pixelOf(points_.front());
    square(p, previous, 4, FirstLime);
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const QPoint next = pixelOf(points_[i]);
        square(p, next, 3, PointGreen);
        p.drawLine(previous, next);
        previous = next;
    }
    square(p, previous, 3, LastRed);
}

void XyPathView::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(event->button(), event->position().toPoint());
}

void XyPathView::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(event->position().toPoint());
}

void XyPathView::mouseReleaseEvent(QMouseEvent*)
{
    emit mouseUp();
}

QIcon xyIcon(XyIcon kind)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 120), 1.4));
    p.setBrush(Qt::NoBrush);
    drawIcon(p, kind);
    p.end();
    return QIcon(pixmap);
}

}  // namespace velantra
