#include "storage/file_result.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

Q_LOGGING_CATEGORY(lcFile, "velantra.file", QtInfoMsg)

namespace velantra {

namespace {

FileResult failure(const QString& message)
{
    return {false, message};
}

FileResult otherFailure(int number)
{
    return failure(QCoreApplication::translate("FileErrors", "I/O error %1").arg(number));
}

// The classic numbers of Qt's errors, for when the system gave no errno (on
// Windows Qt never does): reads fail as 100, writes as 101.
FileResult qtFailure(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        // Callers have ruled out a missing file or directory by then.
        return ioFailure(IoError::FileAccessDenied);
    case QFileDevice::ReadError:
        return ioFailure(IoError::ReadBeyondEndOfFile);
    case QFileDevice::WriteError:
    case QFileDevice::ResizeError:
        return ioFailure(IoError::DiskFull);
    default:
        return otherFailure(static_cast<int>(error));
    }
}

}  // namespace

FileResult ioFailure(IoError error)
{
    switch (error) {
    case IoError::FileNotFound:
        return failure(QCoreApplication::translate("FileErrors", "File not found"));
    case IoError::FileAccessDenied:
        return failure(QCoreApplication::translate("FileErrors", "File access denied"));
    case IoError::ReadBeyondEndOfFile:
        return failure(QCoreApplication::translate("FileErrors", "Read beyond end of file"));
    case IoError::DiskFull:
        return failure(QCoreApplication::translate("FileErrors", "Disk full"));
    }
    return otherFailure(static_cast<int>(error));
}

FileResult fileFailure(int savedErrno, QFileDevice::FileError error)
{
    switch (savedErrno) {
    case 0:
        return qtFailure(error);
    case ENOENT:
    case ENOTDIR:
        return ioFailure(IoError::FileNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:  // a directory where a file was asked for, as Windows reports it
        return ioFailure(IoError::FileAccessDenied);
    case ENOSPC:
    case EFBIG:  // the file outgrew the size this process may write
#ifdef EDQUOT
    case EDQUOT:
#endif
        return ioFailure(IoError::DiskFull);
    default:
        return otherFailure(savedErrno);
    }
}

bool isRegularFile(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
#else
    return QFileInfo(path).isFile();
#endif
}

namespace {

// Opens a regular file for reading. On Unix the file is opened without
// blocking (a pipe swapped in after the check must not hang the program) and
// its type is checked on the open descriptor itself.
FileResult openRegularFile(const QString& path, QFile& file)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return ioFailure(IoError::FileNotFound);
    }
    if (info.isDir()) {
        return ioFailure(IoError::FileAccessDenied);
    }
    if (!isRegularFile(path)) {
        return ioFailure(IoError::FileNotFound);
    }
#ifdef Q_OS_UNIX
    errno = 0;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int saved = errno;
        return fileFailure(saved, QFileDevice::OpenError);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return ioFailure(IoError::FileNotFound);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fileFailure(0, file.error());
    }
#else
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const int saved = errno;
        return fileFailure(saved, file.error());
    }
#endif
    return {};
}

}  // namespace

FileResult readFilePrefix(const QString& path, qint64 size, QByteArray& out)
{
    QFile file(path);
    if (FileResult opened = openRegularFile(path, file); !opened.ok) {
        return opened;
    }
    out = QByteArray(size, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < size) {
        errno = 0;
        const qint64 got = file.read(out.data() + filled, size - filled);
        if (got < 0) {
            const int saved = errno;
            return fileFailure(saved, file.error());
        }
        if (got == 0) {
            return ioFailure(IoError::ReadBeyondEndOfFile);
        }
        filled += got;
    }
    return {};
}

FileResult readWholeFile(const QString& path, qint64 maxSize, QByteArray& out)
{
    QFile file(path);
    if (FileResult opened = openRegularFile(path, file); !opened.ok) {
        return opened;
    }
    errno = 0;
    out = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError) {
        const int saved = errno;
        return fileFailure(saved, file.error());
    }
    if (out.size() > maxSize) {
        return ioFailure(IoError::FileAccessDenied);
    }
    return {};
}

FileResult replaceFile(const QString& path, const QByteArray& bytes)
{
    // Qt's own reasons for these are a generic error without errno.
    const QFileInfo target(path);
    if (!QFileInfo(target.absolutePath()).isDir()) {
        return ioFailure(IoError::FileNotFound);
    }
    if (target.isDir() || (target.exists() && !target.isWritable())) {
        return ioFailure(IoError::FileAccessDenied);
    }
    // A pipe or a device in the file's place is not replaced: writing to it
    // could block, and removing it is not this program's business.
    if (target.exists() && !isRegularFile(path)) {
        return ioFailure(IoError::FileAccessDenied);
    }

    // A QSaveFile that is destroyed without a successful commit() removes its
    // temporary file. Every step is checked: a short write is not an error to
    // Qt, and commit() does not notice a failure of the final flush, so
    // without the checks a cut-off file would be renamed over the good one.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int saved = errno;
        return fileFailure(saved, file.error());
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int saved = errno;
        return fileFailure(saved, QFileDevice::WriteError);
    }
    errno = 0;
    if (!file.flush()) {
        const int saved = errno;
        return fileFailure(saved, QFileDevice::WriteError);
    }
    errno = 0;
    if (!file.commit()) {
        const int saved = errno;
        return fileFailure(saved, file.error());
    }
    return {};
}

}  // namespace velantra
