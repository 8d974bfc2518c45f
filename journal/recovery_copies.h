// The recovery folder: copies of the show kept just before they would be
// lost (a new show, another show opened, changes dropped at close), and
// journals set aside when the operator declined to recover them. A small
// ring: the newest few of each are kept, the oldest removed.
//
// A copy is one file "copy-<UTC time>.vrc", written atomically:
//   8  magic "VLCOPY\r\n"
//   2  version (1)
//   2  name length N in bytes
//   8  time the copy was kept, milliseconds since 1970-01-01 UTC
//   N  the show's file name, UTF-8
//   81920  the show image
//   4  CRC-32 of all the bytes before it
// A journal set aside is moved in as "journal-<UTC time>.vlj", unchanged.
#pragma once

#include "journal/journal_format.h"
#include "storage/file_result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace velantra {

struct RecoveryEntry {
    enum class Kind { ShowCopy, Journal };
    Kind kind = Kind::ShowCopy;
    QString path;
    QString showName;  // a journal's: the show it was written for
    QDateTime time;    // when it was kept or set aside, UTC
};

class RecoveryCopies {
public:
    static constexpr int DefaultKeep = 8;

    // GUI thread. The folder (recoveryDirectory() in the program), created
    // when something is first kept; keep: how many copies, and how many
    // journals, stay.
    explicit RecoveryCopies(QString directory, int keep = DefaultKeep);

    // GUI thread. Writes a copy of image under the show's name, then prunes.
    FileResult keepCopy(ShowImage image, const QString& showName,
                        const QDateTime& when = QDateTime::currentDateTimeUtc());

    // GUI thread. Moves the journal at journalPath into the folder (to
    // *movedTo when given), then prunes.
    FileResult setAside(const QString& journalPath, const QDateTime& when = QDateTime::currentDateTimeUtc(),
                        QString* movedTo = nullptr);

    // GUI thread. Copies and journals, newest first. Unreadable files are left out.
    std::vector<RecoveryEntry> list() const;

    // GUI thread. The show image of a copy (ShowFileSize bytes) into image. A
    // journal's entry is read with readJournalFile(entry.path) instead.
    FileResult read(const RecoveryEntry& entry, QByteArray& image) const;

    // GUI thread. Removes all but the newest `keep` copies and journals;
    // returns how many files were removed.
    int prune() const;

    const QString& directory() const { return directory_; }

private:
    QString freshPath(const QString& prefix, const QString& suffix, const QDateTime& when) const;

    QString directory_;
    int keep_;
};

}  // namespace velantra
