#include "journal/journal_writer.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

Q_LOGGING_CATEGORY(lcJournal, "velantra.journal", QtInfoMsg)

namespace velantra {

namespace {

ShowImage whole(const std::array<std::uint8_t, ShowFileSize>& image)
{
    return ShowImage(image.data(), ShowFileSize);
}

// Syncs the open file's data to disk.
bool syncFile(QFile& file)
{
#if defined(Q_OS_LINUX)
    return ::fdatasync(file.handle()) == 0;
#elif defined(Q_OS_UNIX)
    return ::fsync(file.handle()) == 0;
#elif defined(Q_OS_WIN)
    return ::_commit(file.handle()) == 0;
#else
    return true;
#endif
}

// Makes a rename in the directory of path durable. Best effort.
void syncDirectory(const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

}  // namespace

JournalWriter::JournalWriter()
    : base_(std::make_unique<Image>())
    , journaled_(std::make_unique<Image>())
{}

JournalWriter::~JournalWriter() = default;

JournalFlush JournalWriter::start(const QString& path, ShowImage base, const QString& showName,
                                  const QDateTime& savedAt)
{
    // A failure goes on being one across a new start: said once, until writing works again.
    const bool failing = failing_;
    close();
    failing_ = failing;
    path_ = path;
    header_.showName = showName;
    return restart(base, {}, savedAt);
}

JournalFlush JournalWriter::restart(ShowImage base, const QString& showName, const QDateTime& savedAt)
{
    if (path_.isEmpty()) {
        return {};
    }
    std::copy(base.begin(), base.end(), base_->begin());
    *journaled_ = *base_;
    header_.baseIdentity = imageIdentity(imageView(base));
    header_.baseSavedAt = savedAt.toUTC();
    if (!showName.isEmpty()) {
        header_.showName = showName;
    }
    pending_.clear();
    rewriteNeeded_ = true;
    return report(rewrite());
}

void JournalWriter::append(const ShowChanges& changes)
{
    const ShowImage image = changes.image;
    if (path_.isEmpty()) {
        return;
    }
    std::vector<ByteRange> valid;
    for (const ByteRange& range : changes.ranges) {
        if (range.offset < 0 || range.length <= 0 || range.length > ShowFileSize - range.offset) {
            qCWarning(lcJournal) << "skipped a range outside the show image:" << range.offset << range.length;
            continue;
        }
        valid.push_back(range);
    }
    for (std::size_t k = 0; k < valid.size(); ++k) {
        const ByteRange& range = valid[k];
        std::memcpy(journaled_->data() + range.offset, image.data() + range.offset,
                    static_cast<std::size_t>(range.length));
        if (!rewriteNeeded_) {
            // The look's changes stand or fall together: its last record ends it.
            encodeRecord(nextSequence_++, range, image, pending_, k + 1 == valid.size());
        }
    }
    if (pending_.size() > MaxPending) {
        // The journal will be written anew from journaled_, which holds all of it.
        pending_.clear();
        rewriteNeeded_ = true;
    }
}

JournalFlush JournalWriter::flush()
{
    if (path_.isEmpty()) {
        return {};
    }
    if (!rewriteNeeded_ && (fileChanged() || diskSize_ > CompactAbove)) {
        rewriteNeeded_ = true;
    }
    if (rewriteNeeded_) {
        return report(rewrite());
    }
    if (pending_.isEmpty()) {
        return report({});
    }
    return report(writePending());
}

void JournalWriter::close()
{
    file_.close();
    path_.clear();
    pending_.clear();
    rewriteNeeded_ = false;
    failing_ = false;
}

bool JournalWriter::remove()
{
    const QString path = path_;
    close();
    return path.isEmpty() || !QFileInfo::exists(path) || QFile::remove(path);
}

FileResult JournalWriter::rewrite()
{
    QByteArray bytes = encodeHeader(header_);
    std::uint32_t sequence = 0;
    for (const ByteRange& range :
         differingRanges(base_->data(), journaled_->data(), ShowFileSize, ShadowDiff::MergeGap)) {
        encodeRecord(sequence++, range, whole(*journaled_), bytes);
    }
    file_.close();
    if (FileResult written = replaceFile(path_, bytes); !written.ok) {
        return written;
    }
    syncDirectory(path_);
    file_.setFileName(path_);
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        const int saved = errno;
        return fileFailure(saved, file_.error());
    }
    diskSize_ = bytes.size();
    nextSequence_ = sequence;
    pending_.clear();
    rewriteNeeded_ = false;
    return {};
}

FileResult JournalWriter::writePending()
{
    errno = 0;
    const qint64 written = file_.write(pending_);
    const int saved = errno;
    // What landed is read from the file's size, not from the call's result:
    // a short write followed by a failure leaves a prefix of pending_ on disk,
    // and the next write must go on exactly after it.
    const qint64 size = file_.size();
    if (size < diskSize_ || size > diskSize_ + pending_.size()) {
        qCWarning(lcJournal) << "the journal's size changed under it:" << size << "expected" << diskSize_;
        rewriteNeeded_ = true;
        return rewrite();
    }
    pending_.remove(0, static_cast<qsizetype>(size - diskSize_));
    diskSize_ = size;
    if (written < 0 || !pending_.isEmpty()) {
        return fileFailure(saved, QFileDevice::WriteError);
    }
    errno = 0;
    if (!syncFile(file_)) {
        // After a failed sync the written pages cannot be trusted: the next
        // flush writes the journal anew.
        const int syncErrno = errno;
        rewriteNeeded_ = true;
        return fileFailure(syncErrno, QFileDevice::WriteError);
    }
    return {};
}

bool JournalWriter::fileChanged() const
{
    if (!file_.isOpen() || file_.size() != diskSize_) {
        return true;
    }
#ifdef Q_OS_UNIX
    struct stat onDisk {};
    struct stat open {};
    if (::stat(QFile::encodeName(path_).constData(), &onDisk) != 0 || ::fstat(file_.handle(), &open) != 0) {
        return true;
    }
    return onDisk.st_dev != open.st_dev || onDisk.st_ino != open.st_ino;
#else
    return !QFileInfo::exists(path_);
#endif
}

JournalFlush JournalWriter::report(FileResult state)
{
    JournalFlush result{std::move(state), {}};
    if (!result.state.ok && !failing_) {
        failing_ = true;
        result.notice =
            QCoreApplication::translate("Journal", "Журнал правок не записывается: %1").arg(result.state.message);
        qCWarning(lcJournal).noquote() << "journal" << path_ << "not written:" << result.state.message;
    } else if (result.state.ok && failing_) {
        failing_ = false;
        result.notice = QCoreApplication::translate("Journal", "Журнал правок снова записывается.");
        qCInfo(lcJournal).noquote() << "journal" << path_ << "written again";
    }
    return result;
}

}  // namespace velantra
