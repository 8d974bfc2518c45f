// Show images and edits for the journal's tests, its fuzzer and the program
// that writes the fuzzer's seeds.
#pragma once

#include "engine/show_memory.h"
#include "journal/journal_format.h"

#include <QByteArray>

#include <cstdint>
#include <random>

namespace velantra::journal_test {

// A show image: neighbouring bytes, blocks and images of other seeds differ.
inline QByteArray patternImage(int seed)
{
    QByteArray image(ShowFileSize, '\0');
    for (int i = 0; i < ShowFileSize; ++i) {
        image[i] = static_cast<char>(i * 7 + i / 128 + seed * 31);
    }
    return image;
}

inline ShowImage imageOf(const QByteArray& image)
{
    return ShowImage(reinterpret_cast<const std::uint8_t*>(image.constData()), ShowFileSize);
}

// Overwrites a random run of 1..maxLength bytes of image with random values
// (each different from the byte it replaces); returns the run.
inline ByteRange randomEdit(QByteArray& image, std::mt19937& random, int maxLength)
{
    const int length = std::uniform_int_distribution<int>(1, maxLength)(random);
    const int offset = std::uniform_int_distribution<int>(0, ShowFileSize - length)(random);
    for (int i = offset; i < offset + length; ++i) {
        image[i] = static_cast<char>(static_cast<std::uint8_t>(image[i]) + 1 + random() % 255);
    }
    return {offset, length};
}

}  // namespace velantra::journal_test
