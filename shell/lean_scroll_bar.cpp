#include "shell/lean_scroll_bar.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionSlider>

namespace velantra {

LeanScrollBar::LeanScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent)
{
    setOpaque();
}

void LeanScrollBar::setOpaque()
{
    // Fusion (the style wherever no desktop theme chooses another) draws the
    // track as one piece under the handle and fills the whole bar with it, so
    // nothing under it needs to be painted first. Other styles may draw the
    // two sides of the handle differently, so they get the whole bar.
    handleOnly_ = style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
    setAttribute(Qt::WA_OpaquePaintEvent, handleOnly_);
}

void LeanScrollBar::changeEvent(QEvent* event)
{
    QScrollBar::changeEvent(event);
    if (event->type() == QEvent::StyleChange) {
        setOpaque();
    }
}

QRect LeanScrollBar::handleRect() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void LeanScrollBar::sliderChange(SliderChange change)
{
    if (change != SliderValueChange || painted_.isEmpty() || isSliderDown() || !handleOnly_) {
        QScrollBar::sliderChange(change);
        return;
    }
    const QRect now = handleRect();
    if (now != painted_) {
        // A pixel around each: the style's frame and antialiased edges.
        update(QRegion(painted_.adjusted(-1, -1, 1, 1)) + now.adjusted(-1, -1, 1, 1));
    }
}

void LeanScrollBar::paintEvent(QPaintEvent* event)
{
    // Under the mouse or held, QScrollBar paints (it knows which part is
    // hovered or pressed). Otherwise only the parts the repaint touches are
    // drawn: a handle moving along the track leaves the arrows alone.
    if (underMouse() || isSliderDown() || !handleOnly_) {
        QScrollBar::paintEvent(event);
        painted_ = handleRect();
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_ScrollBarGroove | QStyle::SC_ScrollBarSlider | QStyle::SC_ScrollBarAddPage |
                         QStyle::SC_ScrollBarSubPage;
    for (const QStyle::SubControl arrow : {QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine}) {
        if (event->region().intersects(style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, this))) {
            option.subControls |= arrow;
        }
    }
    option.activeSubControls = QStyle::SC_None;
    QPainter painter(this);
    style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
    painted_ = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

}  // namespace velantra
