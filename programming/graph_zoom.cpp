#include "programming/graph_zoom.h"

#include <algorithm>

namespace velantra {

GraphZoom graphZoomAt(int position)
{
    const int p = std::clamp(position, 0, 3);
    const int step = 1 << p;  // 1, 2, 4, 8
    return {p, step, 256 / step};
}

GraphZoom graphZoomForShow(std::uint8_t lastScene)
{
    return graphZoomAt(lastScene == 0 ? 3 : 256 / lastScene);
}

}  // namespace velantra
