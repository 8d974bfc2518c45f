#include "journal/edit_journal.h"

#include <QFile>
#include <QTimer>

namespace velantra {

EditJournal::EditJournal(const ShowMemory& memory, QString path, QObject* parent)
    : QObject(parent)
    , memory_(memory)
    , path_(std::move(path))
    , timer_(new QTimer(this))
{
    setObjectName(QStringLiteral("EditJournal"));
    timer_->setObjectName(QStringLiteral("TimerJournal"));
    timer_->setInterval(CompareMs);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { step(); });
}

void EditJournal::begin(ShowImage base, const QString& showName)
{
    diff_.reset(base);
    say(writer_.start(path_, base, showName));
    keepBase(base);
    dirty_ = false;
    unsaved_ = false;
    sinceFlush_.start();
    timer_->start();
}

void EditJournal::saved(ShowImage written, const QString& showName)
{
    if (!writer_.active()) {
        begin(written, showName);
        return;
    }
    // Edits made since the save's image was taken are journaled again at the next step.
    diff_.reset(written);
    say(writer_.restart(written, showName));
    keepBase(written);
    dirty_ = false;
    unsaved_ = false;
    sinceFlush_.start();
}

void EditJournal::setShape(std::function<void(ShowMemory&)> shape)
{
    shape_ = std::move(shape);
    shaped_ = shape_ ? std::make_unique<ShowMemory>() : nullptr;
}

void EditJournal::step(bool force)
{
    if (!writer_.active()) {
        return;
    }
    const ShowMemory* seen = &memory_;
    if (shape_) {
        for (int i = 0; i < ShowFileSize; ++i) {
            shaped_->set(i, memory_.get(i));
        }
        shape_(*shaped_);
        seen = shaped_.get();
    }
    const ShowChanges changes = diff_.changes(*seen);
    if (!changes.ranges.empty()) {
        writer_.append(changes);
        dirty_ = true;
        unsaved_ = true;
    }
    const bool due = sinceFlush_.hasExpired(FlushMs);
    if ((dirty_ || writer_.failing()) && (force || due)) {
        say(writer_.flush());
        dirty_ = writer_.pendingBytes() > 0;
        sinceFlush_.start();
    }
}

void EditJournal::finish()
{
    timer_->stop();
    if (!writer_.active()) {
        return;
    }
    step(true);
    if (!unsaved_) {
        writer_.remove();
        QFile::remove(basePathOf(path_));
    } else {
        writer_.close();
    }
}

QString EditJournal::basePathOf(const QString& journalPath)
{
    QString path = journalPath;
    if (path.endsWith(QLatin1String(".vlj"))) {
        path.chop(4);
    }
    return path + QStringLiteral(".vlb");
}

void EditJournal::keepBase(ShowImage base)
{
    // After the journal: until this lands, the base is the file just read or written.
    if (writer_.active()) {
        replaceFile(basePathOf(path_), imageView(base).toByteArray());
    }
}

void EditJournal::say(const JournalFlush& flush)
{
    if (!flush.notice.isEmpty()) {
        emit notice(flush.notice);
    }
}

}  // namespace velantra
