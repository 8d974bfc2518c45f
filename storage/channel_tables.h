// Per-channel display tables, 512 entries indexed by channel (1..255 used):
// the gobo picture code, the border colour of the "Границы" swatch and the
// name colour. They belong to the colour file, not to the show. GUI thread only.
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

    std::array<std::uint8_t, 512> gobo{};  // ChannelGobo: picture code; 142..255 show none
    std::array<std::uint8_t, 512> borderRed{};
    std::array<std::uint8_t, 512> borderGreen{};
    std::array<std::uint8_t, 512> borderBlue{};
    std::array<std::uint8_t, 512> nameRed{};
    std::array<std::uint8_t, 512> nameGreen{};
    std::array<std::uint8_t, 512> nameBlue{};

    using Table = std::array<std::uint8_t, 512>;
    // The red, green and blue tables of the border and of the name colour.
    static constexpr std::array<Table ChannelTables::*, 3> Border{
        &ChannelTables::borderRed, &ChannelTables::borderGreen, &ChannelTables::borderBlue};
    static constexpr std::array<Table ChannelTables::*, 3> Name{&ChannelTables::nameRed, &ChannelTables::nameGreen,
                                                                &ChannelTables::nameBlue};
};

}  // namespace velantra
