#include "remote/remote_limits.h"

namespace velantra::remote {

namespace {
// Addresses kept at most; beyond, those not locked are forgotten.
constexpr qsizetype KeptAddresses = 256;
}  // namespace

qint64 PinGuard::lockedFor(const QString& address, qint64 now) const
{
    const auto it = entries_.constFind(address);
    return it == entries_.constEnd() || it->until <= now ? 0 : it->until - now;
}

bool PinGuard::wrong(const QString& address, qint64 now)
{
    if (entries_.size() >= KeptAddresses) {
        entries_.removeIf([now](const auto& entry) { return entry.value().until <= now; });
    }
    Entry& entry = entries_[address];
    if (entry.until != 0 && entry.until <= now) {
        entry = Entry{};  // the lock is over: a fresh set of tries
    }
    if (++entry.wrong < Tries) {
        return false;
    }
    entry.until = now + LockMs;
    return true;
}

void PinGuard::right(const QString& address)
{
    entries_.remove(address);
}

bool RateWindow::take(qint64 now)
{
    if (count_ == 0 || now - start_ >= 1000) {
        start_ = now;
        count_ = 0;
    }
    return ++count_ <= perSecond_;
}

}  // namespace velantra::remote
