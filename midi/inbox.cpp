#include "midi/inbox.h"

#include <algorithm>

namespace velantra::midi {

namespace {

bool sameControl(const Received& a, int port, const Message& m)
{
    return a.port == port && a.message.kind == m.kind && a.message.channel == m.channel && a.message.number == m.number;
}

bool upperHalf(const Message& m)
{
    return m.value > maxValue(m.kind) / 2;
}

}  // namespace

bool Inbox::push(int port, const Message& message)
{
    const std::lock_guard lock(mutex_);
    const bool wasEmpty = waiting_.empty();
    if (message.kind != Kind::Note) {
        // The newest waiting message of the same control, if nothing of
        // another kind of the same control came after it.
        for (auto it = waiting_.rbegin(); it != waiting_.rend(); ++it) {
            if (sameControl(*it, port, message)) {
                if (upperHalf(it->message) == upperHalf(message)) {
                    it->message.value = message.value;
                    it->low = std::min(it->low, message.value);
                    it->high = std::max(it->high, message.value);
                    return wasEmpty;
                }
                break;
            }
        }
    }
    if (waiting_.size() >= Capacity) {
        ++dropped_;
        return wasEmpty;
    }
    waiting_.push_back({port, message, message.value, message.value});
    return wasEmpty;
}

std::vector<Received> Inbox::take()
{
    std::vector<Received> out;
    const std::lock_guard lock(mutex_);
    out.swap(waiting_);
    return out;
}

std::uint64_t Inbox::dropped() const
{
    const std::lock_guard lock(mutex_);
    return dropped_;
}

}  // namespace velantra::midi
