#include "channels/gobo_images.h"

#include "channels/gobo_drawing.h"

#include <QPainter>

#include <array>
#include <cstddef>

namespace velantra {

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
        gobo::drawFunction(p, code);
    } else {
        gobo::drawSymbol(p, code);
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
