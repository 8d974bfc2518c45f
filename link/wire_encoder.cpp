#include "link/wire_encoder.h"

namespace velantra {

int encodeWireFrame(const std::uint8_t* slots, std::uint8_t* out, std::size_t outSize)
{
    if (outSize < static_cast<std::size_t>(WireMessageMax)) {
        return 0;
    }
    int n = 0;
    out[n++] = 0xFF;
    out[n++] = 0xF0;
    for (int i = 0; i < WireSlots; ++i) {
        if (slots[i] == 0xFF) {
            out[n++] = 0xFF;
            out[n++] = 0xF7;
        } else {
            out[n++] = slots[i];
        }
    }
    out[n++] = 0xFF;
    out[n++] = 0xF1;
    out[n++] = 0xFF;
    out[n++] = 0xFF;
    return n;
}

}  // namespace velantra
