// The summary "velantra-show info" prints: what an operator wants to know
// about a show file before opening it.
#pragma once

#include "showtool/show_image.h"

#include <QString>

namespace velantra::showtool {

// Lines of text, each ending in a newline. Scenes are given as stored (0..255)
// and as the operator sees them (1..256); channels by their cell index 0..255.
QString showInfo(const ShowImage& image);

}  // namespace velantra::showtool
