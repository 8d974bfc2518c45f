// A show file as a plain byte image for the command-line tool: reading it with
// the program's own reader, the named parameter cells, and the Windows-1251
// texts (header and channel names) as the tool shows them.
#pragma once

#include "engine/show_memory.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velantra::showtool {

// Cells 0..81919 of a show, the whole file.
using ShowImage = std::vector<std::uint8_t>;

inline constexpr int ParameterBase = HeaderSize;  // cells 128..255
inline constexpr int ParameterCount = 128;
inline constexpr int SpareBase = SelectBase + 256;  // 13056..16383, used by nothing
inline constexpr int SpareSize = SceneBase - SpareBase;
inline constexpr int ChannelCount = 256;

struct NamedCell {
    std::string_view name;
    int address;
};

// Every parameter cell that has a name in show_memory.h, by that name.
inline constexpr std::array<NamedCell, 18> NamedCells = {{
    {"CellScene", CellScene},
    {"CellLastScene", CellLastScene},
    {"CellTempo", CellTempo},
    {"CellRateLevel", CellRateLevel},
    {"CellFormColorOn", CellFormColorOn},
    {"CellFormRed", CellFormRed},
    {"CellFormGreen", CellFormGreen},
    {"CellFormBlue", CellFormBlue},
    {"CellAvt1Tempo", CellAvt1Tempo},
    {"CellAvt1Channel", CellAvt1Channel},
    {"CellAvt1Program", CellAvt1Program},
    {"CellAvt1Bright", CellAvt1Bright},
    {"CellAvt1Dark", CellAvt1Dark},
    {"CellAvt2Tempo", CellAvt2Tempo},
    {"CellAvt2Channel", CellAvt2Channel},
    {"CellAvt2Program", CellAvt2Program},
    {"CellAvt2Bright", CellAvt2Bright},
    {"CellAvt2Dark", CellAvt2Dark},
}};

// The index of a cell into an image.
constexpr std::size_t cellIndex(int address)
{
    return static_cast<std::size_t>(address);
}

// The name of a parameter cell, empty when it has none.
std::string_view cellName(int address);

// GUI thread (or a tool's main thread). Reads the show file at path with
// readShowFile; on failure returns nothing and sets error to the reader's text.
std::optional<ShowImage> readShowImage(const QString& path, QString& error);
// The show in the bytes of a whole file (standard input, say): the first
// 81,920; fewer fail with the text the program's reader gives.
std::optional<ShowImage> showImageFromBytes(const QByteArray& bytes, QString& error);
// Writes the image with writeShowFile (a temporary file renamed over path).
bool writeShowImage(const QString& path, const ShowImage& image, QString& error);

// The bytes of the image from first, count of them.
QByteArray imageBytes(const ShowImage& image, int first, int count);
// Windows-1251 bytes up to the first zero byte, decoded.
QString decodeText(const QByteArray& bytes);
// The header text: the first 98 bytes up to the first zero byte.
QString headerText(const ShowImage& image);
// The name of channel c (0..255): its 16 bytes up to the first zero byte.
QString channelName(const ShowImage& image, int channel);
// The stored bytes of text in size bytes: Windows-1251, padded with zeros.
// Nothing when a character has no Windows-1251 byte, when text holds a zero
// character, or when it needs more than size bytes.
std::optional<QByteArray> encodeText(const QString& text, int size);
// The header bytes every new show and every save writes: the text and 30 zeros.
QByteArray standardHeader();
// True when the image starts with standardHeader().
bool hasShowHeader(const ShowImage& image);

}  // namespace velantra::showtool
