// The gobo pictures: the 16 x 16 symbol beside a fader row that tells what a
// channel drives. Codes 0..74 are fixture functions (the open beam, gobos,
// colour filters, pan, tilt, strobe and the like), 75..141 general symbols;
// codes 142..255 have no picture. The program draws them all itself.
#pragma once

#include <QImage>
#include <QPixmap>

namespace velantra {

// The gobo picture list: picture codes 0..141; other codes have none.
class ImageListGobo {
public:
    static constexpr int Count = 142;
    static constexpr int Side = 16;  // pictures are Side x Side pixels

    // GUI thread. The picture of a code, drawn once and kept; a null QPixmap for codes without one.
    static const QPixmap& picture(int code);
    // Any thread. Never blocks. The picture as an image (drawn on demand), null for codes without one.
    static QImage image(int code);
};

}  // namespace velantra
