// Zoom of the channel graph: a position 0..3 and the two scale values that
// belong to it.
#pragma once

#include <cstdint>

namespace velantra {

struct GraphZoom {
    int position = 3;  // zoom scroll bar, 0..3
    int step = 8;      // pixels per scene
    int scenes = 32;   // scenes in view
};

// Any thread. The zoom that belongs to a position (limited to 0..3).
GraphZoom graphZoomAt(int position);

// Any thread. The zoom an opened show gets: position 256 div last scene,
// limited to 0..3; a show of one scene (last scene 0) gets 3.
GraphZoom graphZoomForShow(std::uint8_t lastScene);

}  // namespace velantra
