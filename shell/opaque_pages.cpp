#include "shell/opaque_pages.h"

#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabWidget>

namespace velantra {

namespace {

// The colour inside the pane as the style paints it, or an invalid colour
// where it is not one solid colour.
QColor paneColor(QTabWidget& tabs)
{
    constexpr int Size = 48;
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        QStyleOptionTabWidgetFrame option;
        option.initFrom(&tabs);
        option.rect = QRect(-Size, -Size, 3 * Size, 3 * Size);  // its edges far outside the image
        tabs.style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, &tabs);
    }
    const QColor colour = image.pixelColor(Size / 2, Size / 2);
    for (const QPoint corner : {QPoint(0, 0), QPoint(Size - 1, Size - 1), QPoint(0, Size - 1)}) {
        if (image.pixelColor(corner) != colour) {
            return {};
        }
    }
    return colour.alpha() == 255 ? colour : QColor();
}

// Paints each page with the pane's colour before the page's own painting
// (the page's palette stays as it was: the controls on it take their colours
// from it), and marks the page opaque so that nothing under it is painted.
class OpaquePages : public QObject {
public:
    explicit OpaquePages(QTabWidget& tabs)
        : QObject(&tabs)
        , tabs_(tabs)
    {
        tabs_.installEventFilter(this);
        for (int i = 0; i < tabs_.count(); ++i) {
            tabs_.widget(i)->installEventFilter(this);
        }
        apply();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &tabs_) {
            if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
                apply();
            }
        } else if (event->type() == QEvent::Paint && colour_.isValid()) {
            auto* page = static_cast<QWidget*>(watched);
            QPainter painter(page);
            painter.fillRect(static_cast<QPaintEvent*>(event)->rect(), colour_);
        }
        return false;
    }

private:
    void apply()
    {
        colour_ = paneColor(tabs_);
        for (int i = 0; i < tabs_.count(); ++i) {
            tabs_.widget(i)->setAttribute(Qt::WA_OpaquePaintEvent, colour_.isValid());
            tabs_.widget(i)->update();
        }
    }

    QTabWidget& tabs_;
    QColor colour_;
};

}  // namespace

void makePagesOpaque(QTabWidget* tabs)
{
    new OpaquePages(*tabs);
}

}  // namespace velantra
