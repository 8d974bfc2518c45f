// What an edit journal left by a run that did not end cleanly can give back:
// the show it was written on is looked for among the places a base can be
// (the show's file, the autosave copy, a new show, the recovery copies), by
// the identity the journal carries, and the journal replayed on it. A
// journal whose base is found nowhere is never applied. QtCore.
#pragma once

#include "journal/journal_reader.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace velantra {

class RecoveryCopies;

// A show image a journal may have been written on, and where it is from
// (a file's path; empty for a new show).
struct BaseCandidate {
    QString path;
    QByteArray image;  // ShowFileSize bytes
};

struct JournalRecovery {
    enum class State {
        Nothing,  // no journal, or the show it gives back is the one in memory
        Offered,  // image is the base with the edits replayed, unlike the show in memory
        Foreign,  // no show it could belong to was found: never applied
        Refused,  // not a journal, or its header is damaged
    };
    State state = State::Nothing;
    QString journalPath;
    JournalHeader header;
    int records = 0;
    bool tailCut = false;
    QDateTime lastEdit;  // the journal file's last write, UTC
    QString basePath;    // the candidate it was replayed on
    QByteArray image;    // Offered: the recovered show
    QString message;     // Refused: why
};

// GUI thread. The first ShowFileSize bytes of the file at path, or an empty
// array when it is missing, unreadable or shorter.
QByteArray readShowImage(const QString& path);

// GUI thread. The candidates for a journal's base: the files named (the
// show's own file, the autosave copy...; missing or short ones left out), the
// image of a new show, and the show copies of the recovery folder.
std::vector<BaseCandidate> baseCandidates(const QStringList& files, const QByteArray& newShow,
                                          const RecoveryCopies& copies);

// GUI thread. What the journal at journalPath gives back on the candidates,
// against current, the show in memory now (a journal begun on an autosave
// copy gives back that copy even without a record). The show's own file (the
// header's name) is always tried first.
JournalRecovery examineJournal(const QString& journalPath, const std::vector<BaseCandidate>& candidates,
                               const QByteArray& current);

}  // namespace velantra
