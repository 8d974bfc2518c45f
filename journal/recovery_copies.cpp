#include "journal/recovery_copies.h"

#include "journal/journal_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace velantra {

namespace {

constexpr char CopyMagic[8] = {'V', 'L', 'C', 'O', 'P', 'Y', '\r', '\n'};
constexpr std::uint16_t CopyVersion = 1;
constexpr int CopyFixedSize = 8 + 2 + 2 + 8;
constexpr qint64 MaxCopySize = CopyFixedSize + MaxNameBytes + ShowFileSize + 4;
const QString CopyPrefix = QStringLiteral("copy-");
const QString CopySuffix = QStringLiteral(".vrc");
const QString JournalPrefix = QStringLiteral("journal-");
const QString JournalSuffix = QStringLiteral(".vlj");
const QString TimeFormat = QStringLiteral("yyyyMMdd-HHmmsszzz");

template <typename T> void appendLittleEndian(QByteArray& out, T value)
{
    std::array<char, sizeof(T)> bytes{};
    qToLittleEndian(value, bytes.data());
    out.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QByteArray encodeCopy(ShowImage image, const QString& showName, const QDateTime& when)
{
    const QByteArray name = nameBytes(showName);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(CopyFixedSize + name.size() + ShowFileSize + 4));
    out.append(CopyMagic, sizeof(CopyMagic));
    appendLittleEndian<std::uint16_t>(out, CopyVersion);
    appendLittleEndian<std::uint16_t>(out, static_cast<std::uint16_t>(name.size()));
    appendLittleEndian<std::int64_t>(out, when.toMSecsSinceEpoch());
    out.append(name);
    out.append(imageView(image));
    appendLittleEndian<std::uint32_t>(out, crc32(out));
    return out;
}

// Reads a copy's file: its entry, and its image when image is not null.
bool decodeCopy(QByteArrayView bytes, RecoveryEntry& entry, QByteArray* image)
{
    if (bytes.size() < CopyFixedSize || std::memcmp(bytes.data(), CopyMagic, sizeof(CopyMagic)) != 0 ||
        qFromLittleEndian<std::uint16_t>(bytes.data() + 8) != CopyVersion) {
        return false;
    }
    const qsizetype nameBytes = qFromLittleEndian<std::uint16_t>(bytes.data() + 10);
    if (bytes.size() != CopyFixedSize + nameBytes + ShowFileSize + 4 ||
        crc32(bytes.first(bytes.size() - 4)) != qFromLittleEndian<std::uint32_t>(bytes.data() + bytes.size() - 4)) {
        return false;
    }
    entry.kind = RecoveryEntry::Kind::ShowCopy;
    entry.time = QDateTime::fromMSecsSinceEpoch(qFromLittleEndian<std::int64_t>(bytes.data() + 12), Qt::UTC);
    entry.showName = QString::fromUtf8(bytes.sliced(CopyFixedSize, nameBytes));
    if (image != nullptr) {
        *image = bytes.sliced(CopyFixedSize + nameBytes, ShowFileSize).toByteArray();
    }
    return true;
}

// The time in a file name made by freshPath(), or an invalid time.
QDateTime nameTime(const QString& fileName, const QString& prefix)
{
    QDateTime time = QDateTime::fromString(fileName.mid(prefix.size(), TimeFormat.size()), TimeFormat);
    time.setTimeSpec(Qt::UTC);
    return time;
}

bool newerFirst(const RecoveryEntry& a, const RecoveryEntry& b)
{
    return a.time != b.time ? a.time > b.time : a.path > b.path;
}

}  // namespace

RecoveryCopies::RecoveryCopies(QString directory, int keep)
    : directory_(std::move(directory))
    , keep_(std::max(keep, 1))
{}

QString RecoveryCopies::freshPath(const QString& prefix, const QString& suffix, const QDateTime& when) const
{
    const QString stem = QDir(directory_).filePath(prefix + when.toUTC().toString(TimeFormat));
    QString path = stem + suffix;
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = stem + QStringLiteral("-%1").arg(n) + suffix;
    }
    return path;
}

FileResult RecoveryCopies::keepCopy(ShowImage image, const QString& showName, const QDateTime& when)
{
    if (!QDir().mkpath(directory_)) {
        return ioFailure(IoError::FileAccessDenied);
    }
    FileResult written = replaceFile(freshPath(CopyPrefix, CopySuffix, when), encodeCopy(image, showName, when));
    if (written.ok) {
        prune();
    }
    return written;
}

FileResult RecoveryCopies::setAside(const QString& journalPath, const QDateTime& when, QString* movedTo)
{
    if (!isRegularFile(journalPath)) {
        return ioFailure(IoError::FileNotFound);
    }
    if (!QDir().mkpath(directory_)) {
        return ioFailure(IoError::FileAccessDenied);
    }
    QFile journal(journalPath);
    errno = 0;
    const QString target = freshPath(JournalPrefix, JournalSuffix, when);
    if (!journal.rename(target)) {
        const int saved = errno;
        return fileFailure(saved, journal.error());
    }
    if (movedTo != nullptr) {
        *movedTo = target;
    }
    prune();
    return {};
}

std::vector<RecoveryEntry> RecoveryCopies::list() const
{
    std::vector<RecoveryEntry> entries;
    const QDir dir(directory_);
    for (const QFileInfo& file : dir.entryInfoList({CopyPrefix + QLatin1Char('*') + CopySuffix}, QDir::Files)) {
        QByteArray bytes;
        RecoveryEntry entry;
        if (readWholeFile(file.absoluteFilePath(), MaxCopySize, bytes).ok && decodeCopy(bytes, entry, nullptr)) {
            entry.path = file.absoluteFilePath();
            entries.push_back(std::move(entry));
        }
    }
    for (const QFileInfo& file : dir.entryInfoList({JournalPrefix + QLatin1Char('*') + JournalSuffix}, QDir::Files)) {
        QByteArray head;
        QFile journal(file.absoluteFilePath());
        if (isRegularFile(journal.fileName()) && journal.open(QIODevice::ReadOnly)) {
            head = journal.read(JournalHeaderFixedSize + MaxNameBytes + 4);
        }
        const JournalContents contents = readJournal(head);
        const QDateTime time = nameTime(file.fileName(), JournalPrefix);
        if (contents.result.ok && time.isValid()) {
            entries.push_back({RecoveryEntry::Kind::Journal, file.absoluteFilePath(), contents.header.showName, time});
        }
    }
    std::sort(entries.begin(), entries.end(), newerFirst);
    return entries;
}

FileResult RecoveryCopies::read(const RecoveryEntry& entry, QByteArray& image) const
{
    if (entry.kind != RecoveryEntry::Kind::ShowCopy) {
        return ioFailure(IoError::FileAccessDenied);
    }
    QByteArray bytes;
    if (FileResult got = readWholeFile(entry.path, MaxCopySize, bytes); !got.ok) {
        return got;
    }
    RecoveryEntry read;
    if (!decodeCopy(bytes, read, &image)) {
        return {false, QCoreApplication::translate("Journal", "Копия шоу повреждена.")};
    }
    return {};
}

int RecoveryCopies::prune() const
{
    const std::vector<RecoveryEntry> entries = list();
    int copies = 0;
    int journals = 0;
    int removed = 0;
    for (const RecoveryEntry& entry : entries) {
        int& seen = entry.kind == RecoveryEntry::Kind::ShowCopy ? copies : journals;
        if (++seen > keep_ && QFile::remove(entry.path)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace velantra
