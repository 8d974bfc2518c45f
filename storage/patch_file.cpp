#include "storage/patch_file.h"

#include <QByteArray>

namespace velantra {

FileResult readPatchFile(const QString& path, AtomicArray<std::uint16_t, CoderEntries>& table, int* replaced)
{
    if (replaced != nullptr) {
        *replaced = 0;
    }
    QByteArray image;
    if (FileResult read = readFilePrefix(path, PatchFileSize, image); !read.ok) {
        return read;
    }

    int outOfRange = 0;
    for (qsizetype k = 0; k < PatchFileWords; ++k) {
        const auto low = static_cast<std::uint8_t>(image[2 * k]);
        const auto high = static_cast<std::uint8_t>(image[2 * k + 1]);
        const auto source = static_cast<std::uint16_t>(low | (high << 8));
        if (source <= 255) {
            table.set(static_cast<std::size_t>(k), source);
        } else {
            table.set(static_cast<std::size_t>(k), static_cast<std::uint16_t>(k));
            ++outOfRange;
        }
    }
    if (replaced != nullptr) {
        *replaced = outOfRange;
    }
    return {};
}

FileResult writePatchFile(const QString& path, const AtomicArray<std::uint16_t, CoderEntries>& table)
{
    QByteArray image(PatchFileSize, Qt::Uninitialized);
    for (qsizetype k = 0; k < PatchFileWords; ++k) {
        const std::uint16_t source = table.get(static_cast<std::size_t>(k));
        image[2 * k] = static_cast<char>(source & 0xFF);
        image[2 * k + 1] = static_cast<char>(source >> 8);
    }
    return replaceFile(path, image);
}

}  // namespace velantra
