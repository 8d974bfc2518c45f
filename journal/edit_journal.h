// The edit journal at work over one show in memory: every CompareMs its
// changes since the last look are appended, and at most every FlushMs they
// are written and synced, so an edit is on the disk within CompareMs +
// FlushMs (three quarters of a second), whatever the timer's jitter.
// The host (the window; velantra-player journals nothing) says when the
// show's base changes: begin() after an open, a new show or a recovery,
// saved() after a save or autosave wrote the show. QtCore; GUI thread.
#pragma once

#include "journal/journal_writer.h"
#include "journal/shadow_diff.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QTimer;

namespace velantra {

class EditJournal : public QObject {
    Q_OBJECT
public:
    static constexpr int CompareMs = 250;
    static constexpr int FlushMs = 500;

    // memory must outlive the journal. Nothing is journaled before begin().
    EditJournal(const ShowMemory& memory, QString path, QObject* parent = nullptr);

    // The show now in memory stands on base (the image as read from its file,
    // or as the new show was made): a new journal for it, under showName.
    void begin(ShowImage base, const QString& showName);
    // A save or autosave wrote written: the edits up to it are in that file.
    void saved(ShowImage written, const QString& showName = {});
    // Looks for changes now, and writes them when a flush is due or force is set
    // (on quit or a signal: at once).
    void step(bool force = false);
    // The program ends: a last step written at once, then the journal removed
    // when it holds no edit the last save lacks, else kept for the next start.
    void finish();
    // Where the image a journal stands on is kept, by its identity
    // ("Vela43.<identity>.vlb" beside "Vela43.vlj"): written before every new
    // journal and the others removed after it, so the base of whichever
    // journal is on the disk is there too, even when it is no file's (a new
    // show) or its file was written over (the next autosave).
    static QString basePathOf(const QString& journalPath, std::uint64_t identity);
    static QStringList basePaths(const QString& journalPath);

    // Edits journaled since the base was last begun or saved.
    bool unsaved() const { return unsaved_; }

    // The image journaled is the memory as shape() leaves a copy of it (the
    // picture editor gives back what it borrowed, as a save does); empty:
    // the memory as it is.
    void setShape(std::function<void(ShowMemory&)> shape);

    bool active() const { return writer_.active(); }
    QTimer* timer() const { return timer_; }

signals:
    // A failure to write the journal, said once, and once when it works again.
    void notice(const QString& text);

private:
    void say(const JournalFlush& flush);
    void keepBase(ShowImage base);
    void dropOtherBases(ShowImage base);

    const ShowMemory& memory_;
    std::function<void(ShowMemory&)> shape_;
    std::unique_ptr<ShowMemory> shaped_;  // the copy shape_ works on
    QString path_;
    ShadowDiff diff_;
    JournalWriter writer_;
    QTimer* timer_;
    QElapsedTimer sinceFlush_;
    bool dirty_ = false;
    bool unsaved_ = false;
};

}  // namespace velantra
