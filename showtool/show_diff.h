// The differences between two shows, as "velantra-show diff" prints them.
#pragma once

#include "showtool/show_image.h"

#include <QStringList>

namespace velantra::showtool {

// One line per difference (old → new), in file order: the header, the
// parameter cells (by name when they have one), then per channel the rates,
// names and selection, the pictures, the spare bytes and the scenes. Empty
// when the two images are the same.
QStringList showDiff(const ShowImage& before, const ShowImage& after);

}  // namespace velantra::showtool
