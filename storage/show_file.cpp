#include "storage/show_file.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdint>

namespace velantra {

FileResult readShowFile(const QString& path, ShowMemory& memory)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return ioFailure(IoError::FileNotFound);
    }
    if (info.isDir()) {
        return ioFailure(IoError::FileAccessDenied);
    }

    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const int saved = errno;
        return fileFailure(saved, file.error());
    }
    QByteArray image(ShowFileSize, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < ShowFileSize) {
        errno = 0;
        const qint64 got = file.read(image.data() + filled, ShowFileSize - filled);
        if (got < 0) {
            const int saved = errno;
            return fileFailure(saved, file.error());
        }
        if (got == 0) {
            return ioFailure(IoError::ReadBeyondEndOfFile);
        }
        filled += got;
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
