// Reading an edit journal back, and applying it to the show it belongs to.
#pragma once

#include "journal/journal_format.h"
#include "storage/file_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace velantra {

struct JournalContents {
    FileResult result;  // a refused header: not a journal, cut short or damaged
    JournalHeader header;
    std::vector<JournalRecord> records;  // the whole valid records, in sequence order
    qsizetype validSize = 0;             // bytes up to the end of the last whole valid record
    bool tailCut = false;                // bytes after validSize were dropped (torn or damaged)
};

// Any thread. The header and every whole valid record of a journal, up to
// the first torn or damaged one; what follows it is dropped and said in
// tailCut and validSize. A foreign, short or damaged header is refused.
JournalContents readJournal(QByteArrayView bytes);

// GUI thread. readJournal() of the file at path (at most MaxJournalFileSize bytes).
inline constexpr qint64 MaxJournalFileSize = qint64{64} * 1024 * 1024;
JournalContents readJournalFile(const QString& path);

struct ReplayResult {
    FileResult result;
    QByteArray image;  // ShowFileSize bytes when result is ok
};

// Any thread. The base image with the journal's records applied in sequence
// order. Refused when the base is not ShowFileSize bytes, when the journal
// was refused, and when the base is not the image the journal was started
// on (its identity differs): a journal of another show is never applied.
ReplayResult replay(QByteArrayView baseImage, const JournalContents& journal);

}  // namespace velantra
