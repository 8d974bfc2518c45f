#include "shell/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velantra {

namespace {

constexpr int Size = 24;

// A sheet of paper with a folded corner.
void sheet(QPainter& p, const QColor& fill)
{
    QPainterPath path;
    path.moveTo(5, 2);
    path.lineTo(15, 2);
    path.lineTo(20, 7);
    path.lineTo(20, 22);
    path.lineTo(5, 22);
    path.closeSubpath();
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(15, 2, 15, 7);
    p.drawLine(15, 7, 20, 7);
}

void diskette(QPainter& p, const QColor& fill)
{
    p.setBrush(fill);
    p.drawRect(3, 3, 18, 18);
    p.setBrush(Qt::white);
    p.drawRect(7, 3, 10, 7);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(7, 14, 10, 7);
}

void text(QPainter& p, const QString& s, const QColor& color, int pointSize = 11)
{
    QFont font = p.font();
    font.setBold(true);
    font.setPointSize(pointSize);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, s);
}

}  // namespace

QIcon toolIcon(ToolIcon kind)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    switch (kind) {
    case ToolIcon::New:
        sheet(p, Qt::white);
        text(p, QStringLiteral("+"), QColor(0, 120, 0), 12);
        break;
    case ToolIcon::Open:
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(2, 8, 20, 13);
        p.drawRect(2, 5, 8, 3);
        break;
    case ToolIcon::SaveAs:
        diskette(p, QColor(70, 110, 200));
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(14, 20, 22, 12);
        break;
    case ToolIcon::Save:
        diskette(p, QColor(70, 110, 200));
        break;
    case ToolIcon::Copy:
        p.setBrush(Qt::white);
        p.drawRect(3, 3, 12, 14);
        p.drawRect(9, 7, 12, 14);
        break;
    case ToolIcon::CopyPrevious:
        p.setBrush(Qt::white);
        p.drawRect(9, 7, 12, 14);
        text(p, QStringLiteral("<"), QColor(0, 0, 160), 12);
        break;
    case ToolIcon::Clear:
        sheet(p, QColor(250, 250, 210));
        break;
    case ToolIcon::Delete:
        sheet(p, Qt::white);
        p.setPen(QPen(Qt::red, 2.5));
        p.drawLine(6, 6, 19, 19);
        p.drawLine(19, 6, 6, 19);
        break;
    case ToolIcon::Area:
        p.setBrush(QColor(200, 200, 255));
        p.drawRect(2, 2, 20, 20);
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(12, 5, 12, 19);
        p.drawLine(5, 12, 19, 12);
        break;
    case ToolIcon::Record:
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(12, 12), 8, 8);
        break;
    case ToolIcon::AutoPlus:
        text(p, QStringLiteral("A+"), QColor(0, 110, 0), 10);
        break;
    case ToolIcon::Help:
        p.setBrush(QColor(255, 255, 200));
        p.drawEllipse(QPointF(12, 12), 10, 10);
        text(p, QStringLiteral("?"), QColor(0, 0, 150), 12);
        break;
    case ToolIcon::About:
        p.setBrush(QColor(135, 206, 235));
        p.drawEllipse(QPointF(12, 12), 10, 10);
        text(p, QStringLiteral("i"), QColor(0, 0, 120), 12);
        break;
    }
    return QIcon(pixmap);
}

}  // namespace velantra
