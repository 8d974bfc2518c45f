// Per-channel display tables: the gobo picture code, the border colour of the
// "Границы" swatch and the name colour. They belong to the colour file, not
// to the show. GUI thread only.
#pragma once

#include <array>
#include <cstdint>

namespace velantra {

struct ChannelTables {
    ChannelTables()
    {
        nameRed.fill(230);
        nameGreen.fill(238);
        nameBlue.fill(245);
    }

    std::array<std::uint8_t, 256> gobo{};  // ChannelGobo: picture code, 0 = none
    std::array<std::uint8_t, 256> borderRed{};
    std::array<std::uint8_t, 256> borderGreen{};
    std::array<std::uint8_t, 256> borderBlue{};
    std::array<std::uint8_t, 256> nameRed{};
    std::array<std::uint8_t, 256> nameGreen{};
    std::array<std::uint8_t, 256> nameBlue{};
};

}  // namespace velantra
