#include "journal/recovery.h"

#include "journal/recovery_copies.h"

#include <QFile>
#include <QFileInfo>

namespace velantra {

QByteArray readShowImage(const QString& path)
{
    if (path.isEmpty() || !isRegularFile(path)) {
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray image = file.read(ShowFileSize);
    return image.size() == ShowFileSize ? image : QByteArray();
}

std::vector<BaseCandidate> baseCandidates(const QStringList& files, const QByteArray& newShow,
                                          const RecoveryCopies& copies)
{
    std::vector<BaseCandidate> candidates;
    for (const QString& path : files) {
        if (QByteArray image = readShowImage(path); !image.isEmpty()) {
            candidates.push_back({path, std::move(image)});
        }
    }
    if (newShow.size() == ShowFileSize) {
        candidates.push_back({QString(), newShow});
    }
    for (const RecoveryEntry& entry : copies.list()) {
        QByteArray image;
        if (entry.kind == RecoveryEntry::Kind::ShowCopy && copies.read(entry, image).ok) {
            candidates.push_back({entry.path, std::move(image)});
        }
    }
    return candidates;
}

JournalRecovery examineJournal(const QString& journalPath, const std::vector<BaseCandidate>& candidates,
                               const QByteArray& current)
{
    JournalRecovery found;
    found.journalPath = journalPath;
    if (!isRegularFile(journalPath)) {
        return found;
    }
    const JournalContents journal = readJournalFile(journalPath);
    if (!journal.result.ok) {
        found.state = JournalRecovery::State::Refused;
        found.message = journal.result.message;
        return found;
    }
    found.header = journal.header;
    found.records = static_cast<int>(journal.records.size());
    found.tailCut = journal.tailCut;
    found.lastEdit = QFileInfo(journalPath).lastModified().toUTC();
    const auto tryBase = [&](const QString& path, const QByteArray& base) {
        ReplayResult replayed = replay(base, journal);
        if (!replayed.result.ok) {
            return false;
        }
        found.basePath = path;
        if (replayed.image == current) {
            found.state = JournalRecovery::State::Nothing;  // nothing the show in memory lacks
        } else {
            found.state = JournalRecovery::State::Offered;
            found.image = std::move(replayed.image);
        }
        return true;
    };
    const QString& own = journal.header.showName;
    if (!own.isEmpty() && tryBase(own, readShowImage(own))) {
        return found;
    }
    for (const BaseCandidate& candidate : candidates) {
        if (tryBase(candidate.path, candidate.image)) {
            return found;
        }
    }
    found.state = JournalRecovery::State::Foreign;
    return found;
}

}  // namespace velantra
