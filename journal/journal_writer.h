// Writes the edit journal: every change to the show since its last save,
// appended to a file that a crash, a kill or a power cut leaves readable up
// to the last flush.
//
// The journal belongs to one base image (the show as last saved): start() and
// restart() write a new file atomically (temporary file and rename) whose
// header names the base by its identity. append() encodes records in memory;
// flush() appends them to the file and syncs it to disk. Bytes once on disk
// are never written again: a failed write keeps what did not land in memory
// and goes on from the exact end of the file next time. When that is not
// possible (the file vanished, shrank or grew, a sync failed, the memory kept grew
// past MaxPending, the file grew past CompactAbove) the whole journal is
// written anew, atomically, from the base and the latest journaled image, so
// nothing is ever lost in memory either.
//
// A failure never throws and never blocks beyond the write itself: flush()
// says it, once, in its notice, and tries again on the next call.
#pragma once

#include "journal/journal_format.h"
#include "journal/shadow_diff.h"
#include "storage/file_result.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QLoggingCategory>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcJournal)

namespace velantra {

struct JournalFlush {
    FileResult state;  // how the journal stands after the call
    QString notice;    // the operator's text, only when the state changed: failing, or writing again
};

class JournalWriter {
public:
    static constexpr qsizetype MaxPending = qsizetype{1} << 20;  // bytes of records kept in memory
    static constexpr qint64 CompactAbove = qint64{8} << 20;      // file size that makes the journal written anew

    JournalWriter();
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // GUI thread. Starts a journal at path for base (the image as saved or
    // opened) under the show's file name: writes the header atomically over
    // any file at path. A failure is reported as flush() reports it and the
    // journal is written at the next flush().
    JournalFlush start(const QString& path, ShowImage base, const QString& showName,
                       const QDateTime& savedAt = QDateTime::currentDateTimeUtc());

    // GUI thread. After a successful save or autosave: a new journal at the
    // same path for the new base; records not yet flushed belong to the old
    // base and are dropped (the save holds them). showName changes the name
    // (save under another name); empty keeps it.
    JournalFlush restart(ShowImage base, const QString& showName = {},
                         const QDateTime& savedAt = QDateTime::currentDateTimeUtc());

    // GUI thread. Never blocks. Encodes changes.image[range] for each of
    // changes.ranges in memory (what ShadowDiff::changes() returned). Ranges
    // outside the image are skipped.
    void append(const ShowChanges& changes);

    // GUI thread. Writes what append() kept and syncs the file to disk (the
    // caller: at most once a second, and at once on quit or a signal). May
    // block for one write and one sync.
    JournalFlush flush();

    // GUI thread. Stops journaling and closes the file, leaving it on disk.
    void close();

    // GUI thread. Stops journaling and removes the file (the show was saved
    // and the program quits normally). False when the file could not be removed.
    bool remove();

    bool active() const { return !path_.isEmpty(); }
    bool failing() const { return failing_; }
    qsizetype pendingBytes() const { return pending_.size(); }
    const QString& path() const { return path_; }

private:
    using Image = std::array<std::uint8_t, ShowFileSize>;

    FileResult rewrite();
    FileResult writePending();
    // The file at path_ is no longer the one open, or its size is not what was written.
    bool fileChanged() const;
    JournalFlush report(FileResult state);

    QString path_;
    JournalHeader header_;
    std::unique_ptr<Image> base_;
    std::unique_ptr<Image> journaled_;  // base_ with every appended record applied
    QFile file_;
    QByteArray pending_;  // encoded records not on disk yet
    qint64 diskSize_ = 0;
    std::uint32_t nextSequence_ = 0;
    bool rewriteNeeded_ = false;
    bool failing_ = false;
};

}  // namespace velantra
