// The show memory: one flat byte array that holds the whole show.
//
// Indexes 0..81919 are the show file's byte image; 81920 is a spare cell that
// only the new-show reset clears. Every editor and the output tick address it
// by the constant indexes below.
#pragma once

#include "engine/atomic_array.h"

#include <cstdint>
#include <string_view>

namespace velantra {

// Region bases.
inline constexpr int RateBase = 256;         // 256..511   fade step of channel c
inline constexpr int NameBase = 512;         // 512..4607  16-byte channel names
inline constexpr int PictureBase = 4608;     // 4608..12799 16 pictures of 512 bytes
inline constexpr int SelectBase = 12800;     // 12800..13055 selection flags
inline constexpr int SceneBase = 16384;      // 16384..81919 256 scenes of 256 cells
inline constexpr int ShowMemoryTop = 81920;  // spare cell, last one cleared by new show
inline constexpr int ShowMemorySize = ShowMemoryTop + 1;
inline constexpr int ShowFileBlocks = 640;  // 128-byte blocks in a show file
inline constexpr int ShowFileSize = ShowFileBlocks * 128;

inline constexpr int HeaderSize = 128;
inline constexpr int ShowHeaderTextLength = 98;
inline constexpr int NameLength = 16;
inline constexpr int PictureCount = 16;
inline constexpr int PictureSize = 512;
inline constexpr int SceneCount = 256;
inline constexpr int SceneSize = 256;

// Parameter cells (128..255).
inline constexpr int CellScene = 131;
inline constexpr int CellLastScene = 132;
inline constexpr int CellTempo = 133;
inline constexpr int CellRateLevel = 136;
inline constexpr int CellFormColorOn = 138;
inline constexpr int CellFormRed = 139;
inline constexpr int CellFormGreen = 140;
inline constexpr int CellFormBlue = 141;
inline constexpr int CellAvt1Tempo = 145;
inline constexpr int CellAvt1Channel = 146;
inline constexpr int CellAvt1Program = 147;
inline constexpr int CellAvt1Bright = 148;
inline constexpr int CellAvt1Dark = 149;
inline constexpr int CellAvt2Tempo = 150;
inline constexpr int CellAvt2Channel = 151;
inline constexpr int CellAvt2Program = 152;
inline constexpr int CellAvt2Bright = 153;
inline constexpr int CellAvt2Dark = 154;

// Picture k (0..15) is bound to these keys, in this order; picture 15 is also
// the picture of the "M" macro.
inline constexpr int MacroPicture = 15;

// Header written into cells 0..97 by new show and before every save; cells
// 98..127 are zero.
inline constexpr std::string_view ShowHeaderText =
    "Velantra v5.4.1 DMX512 show file: 640 blocks of 128 bytes, 256 scenes x 256 channels, "
    "format v5.4.";
static_assert(ShowHeaderText.size() == ShowHeaderTextLength);

// Index of cell 0 of scene s.
constexpr int sceneAddress(std::uint8_t scene)
{
    return SceneBase + SceneSize * scene;
}
// Index of the first flag cell of picture k (levels follow 256 cells later).
constexpr int pictureAddress(int k)
{
    return PictureBase + PictureSize * k;
}

// Clamps a signed value into a level byte (below 0 gives 0, above 255 gives 255).
constexpr std::uint8_t clampLevel(int value)
{
    return static_cast<std::uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

// 81,921 bytes. Any thread may read and write a cell; see AtomicArray.
class ShowMemory : public AtomicArray<std::uint8_t, ShowMemorySize> {
public:
    // Any thread. Writes the header bytes (text and 30 zeros) into cells 0..127.
    void writeHeader();
};

}  // namespace velantra
