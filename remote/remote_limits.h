// The web remote's limits that need a clock: wrong PINs per address and
// messages per second per page. Plain classes with the time passed in (ms
// of a monotonic clock), so a test steps time by hand. GUI thread.
#pragma once

#include <QHash>
#include <QString>

namespace velantra::remote {

// After Tries wrong PINs in a row from one address, that address may not try
// again for LockMs; then it has Tries tries again. A right PIN forgets the
// address.
class PinGuard {
public:
    static constexpr int Tries = 5;
    static constexpr qint64 LockMs = 30'000;

    // How long (ms) the address must still wait before it may try; 0: it may.
    qint64 lockedFor(const QString& address, qint64 now) const;
    // A wrong PIN from the address; true when this one locks it.
    bool wrong(const QString& address, qint64 now);
    void right(const QString& address);

private:
    struct Entry {
        int wrong = 0;
        qint64 until = 0;  // locked until this time
    };
    QHash<QString, Entry> entries_;
};

// At most perSecond messages in each second counted from the first of them.
class RateWindow {
public:
    explicit RateWindow(int perSecond)
        : perSecond_(perSecond)
    {}
    // A message at now; false when it is one too many.
    bool take(qint64 now);

private:
    int perSecond_;
    qint64 start_ = 0;
    int count_ = 0;
};

}  // namespace velantra::remote
