// The outcome of a file operation, the runtime's texts for its failures, and
// the one way this program replaces a file on disk.
//
// The failure texts are the ones operators know from the runtime of the
// program's earlier versions; they stay English (translatable in the context
// "FileErrors") while the program's own texts are Russian.
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QLoggingCategory>
#include <QString>

// File events: shows, settings and patch files read, written or refused.
Q_DECLARE_LOGGING_CATEGORY(lcFile)

namespace velantra {

struct FileResult {
    bool ok = true;
    QString message;  // the operator's text when ok is false
};

// Classic runtime I/O error numbers that have a text of their own; any other
// number is shown as "I/O error <number>".
enum class IoError {
    FileNotFound = 2,
    FileAccessDenied = 5,
    ReadBeyondEndOfFile = 100,
    DiskFull = 101,
};

// Any thread. A failure with the runtime's text for a classic I/O error.
FileResult ioFailure(IoError error);

// Any thread. A failure for a system error: savedErrno (errno taken right
// after the failing call) when it is not 0, otherwise Qt's error of the file.
FileResult fileFailure(int savedErrno, QFileDevice::FileError error);

// Any thread. True when path names a regular file (or a link to one): a named
// pipe, a device, a socket or a directory is not a file this program reads.
// Never blocks.
bool isRegularFile(const QString& path);

// GUI thread. The first size bytes of the file at path into out. A missing,
// unreadable or shorter file fails and out is then not to be used; so does
// anything that is not a regular file, reported as missing ("File not found")
// and never opened in a way that could block (a named pipe without a writer).
FileResult readFilePrefix(const QString& path, qint64 size, QByteArray& out);

// GUI thread. The whole regular file at path into out, when it holds at most
// maxSize bytes. Fails as readFilePrefix does, and on a longer file.
FileResult readWholeFile(const QString& path, qint64 maxSize, QByteArray& out);

// GUI thread. Writes bytes to a temporary file beside path and renames it over
// path; until the rename the previous file is untouched, and a failure leaves
// neither a changed file nor a temporary one behind.
FileResult replaceFile(const QString& path, const QByteArray& bytes);

}  // namespace velantra
