#include "journal/edit_journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    keepBase(base);
    say(writer_.start(path_, base, showName));
    dropOtherBases(base);
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
    keepBase(written);
    say(writer_.restart(written, showName));
    dropOtherBases(written);
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
        for (const QString& base : basePaths(path_)) {
            QFile::remove(base);
        }
    } else {
        writer_.close();
    }
}

namespace {

QString stemOf(const QString& journalPath)
{
    QString path = journalPath;
    if (path.endsWith(QLatin1String(".vlj"))) {
        path.chop(4);
    }
    return path;
}

}  // namespace

QString EditJournal::basePathOf(const QString& journalPath, std::uint64_t identity)
{
    return stemOf(journalPath) + QStringLiteral(".%1.vlb").arg(identity, 16, 16, QLatin1Char('0'));
}

QStringList EditJournal::basePaths(const QString& journalPath)
{
    const QFileInfo stem(stemOf(journalPath));
    QStringList paths;
    for (const QString& name : stem.dir().entryList({stem.fileName() + QStringLiteral(".*.vlb")}, QDir::Files)) {
        paths << stem.dir().filePath(name);
    }
    return paths;
}

void EditJournal::keepBase(ShowImage base)
{
    // Before the journal that stands on it: the journal before it keeps its
    // own base until the new one has started.
    replaceFile(basePathOf(path_, imageIdentity(imageView(base))), imageView(base).toByteArray());
}

void EditJournal::dropOtherBases(ShowImage base)
{
    const QString own = basePathOf(path_, imageIdentity(imageView(base)));
    for (const QString& path : basePaths(path_)) {
        if (path != own) {
            QFile::remove(path);
        }
    }
}

void EditJournal::say(const JournalFlush& flush)
{
    if (!flush.notice.isEmpty()) {
        emit notice(flush.notice);
    }
}

}  // namespace velantra
