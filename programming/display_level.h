// How a level is shown to the operator: 0..255, or percent rounded up.
#pragma once

namespace velantra {

// Any thread. v itself, or the smallest integer not below v * 100 / 255.
constexpr int DisplayLevel(int v, bool percent)
{
    return percent ? (v * 100 + 254) / 255 : v;
}

}  // namespace velantra
