// A QR code of a short text (the web remote's address), as its module
// matrix, for a surface to draw. Plain C++ over libqrencode.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace velantra::remote {

struct QrCode {
    int size = 0;                    // modules per side; 0: the text could not be encoded
    std::vector<std::uint8_t> dark;  // size * size, row by row: 1 dark, 0 light

    // 0 <= x, y < size.
    bool isDark(int x, int y) const { return dark[static_cast<std::size_t>(y * size + x)] != 0; }
};

// Any thread. The text as bytes, with error correction level M (a smudged
// screen still reads), in the smallest version it fits. A surface draws a
// light border of four modules around it.
QrCode makeQrCode(std::string_view text);

}  // namespace velantra::remote
