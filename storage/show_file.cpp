#include "storage/show_file.h"

#include <QByteArray>

#include <cstdint>

namespace velantra {

FileResult readShowFile(const QString& path, ShowMemory& memory)
{
    QByteArray image;
    if (FileResult read = readFilePrefix(path, ShowFileSize, image); !read.ok) {
        return read;
    }
    memory.copyIn(0, ShowFileSize, reinterpret_cast<const std::uint8_t*>(image.constData()));
    return {};
}

FileResult writeShowFile(const QString& path, const ShowMemory& memory)
{
    QByteArray image(ShowFileSize, Qt::Uninitialized);
    memory.copyOut(0, ShowFileSize, reinterpret_cast<std::uint8_t*>(image.data()));
    return replaceFile(path, image);
}

}  // namespace velantra
