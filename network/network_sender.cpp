#include "network/network_sender.h"

#include "engine/worker_thread.h"

#include <algorithm>

namespace velantra {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;
}  // namespace

NetworkSender::~NetworkSender()
{
    // Derived outputs stop the thread in their own destructors, while their
    // part still exists; this is the last guard.
    if (thread_.joinable()) {
        stopping_.store(true);
        wake();
        thread_.join();
    }
}

void NetworkSender::start()
{
    if (thread_.joinable()) {
        return;
    }
    stopping_.store(false);
    thread_ = startWorkerThread([this] { run(); });
}

void NetworkSender::stop()
{
    if (!thread_.joinable()) {
        return;
    }
    stopping_.store(true);
    wake();
    thread_.join();
}

void NetworkSender::writeFurther(std::span<const FrameSlotsArray> further)
{
    const std::size_t n = std::min(further.size(), MaxUniverses - 1);
    std::copy_n(further.begin(), n, staged_.frames.begin() + 1);
    staged_.count = 1 + n;
}

void NetworkSender::write(FrameView frame)
{
    silenced_.store(false, relaxed);
    std::copy(frame.begin(), frame.end(), staged_.frames[0].begin());
    latest_.publish(staged_);
    // A sender that is switched off sleeps through the frames; switching it
    // on wakes it, and it takes the latest frame then.
    if (activeShared_.load(relaxed)) {
        wake();
    }
}

void NetworkSender::silence()
{
    silenced_.store(true, relaxed);
    if (activeShared_.load(relaxed)) {
        wake();
    }
}

SenderCounters NetworkSender::counters() const
{
    return {packets_.load(relaxed), failures_.load(relaxed), lastError_.load(relaxed), sending_.load(relaxed)};
}

void NetworkSender::count(int result)
{
    if (result == 0) {
        leftThisFrame_ = true;
        packets_.fetch_add(1, relaxed);
    } else {
        failures_.fetch_add(1, relaxed);
        lastError_.store(result, relaxed);
    }
}

void NetworkSender::setActive(bool active)
{
    if (active_ && !active && !goodbyeSent_) {
        sendGoodbye();
        goodbyeSent_ = true;
    }
    active_ = active;
    activeShared_.store(active, relaxed);
}

void NetworkSender::setRetrying(bool retrying)
{
    retrying_ = retrying;
}

void NetworkSender::run()
{
    while (!stopping_.load()) {
        // Switched off, nothing is due until a wake-up (a new configuration, the end).
        wake_.waitFor(active_ || retrying_ ? idlePeriod() : std::chrono::milliseconds(60000));
        applyPending();
        service();
        const bool silenced = silenced_.load(relaxed);
        if (!active_ || silenced) {
            if (!goodbyeSent_ && active_) {
                sendGoodbye();
            }
            goodbyeSent_ = true;
            sending_.store(false, relaxed);
            continue;
        }
        if (latest_.take(frames_)) {
            leftThisFrame_ = false;
            sendFrame(frames_);
            goodbyeSent_ = false;
            // Every send refused (no route, the interface gone): not sending.
            sending_.store(leftThisFrame_, relaxed);
        }
    }
    if (active_ && !goodbyeSent_) {
        sendGoodbye();
        goodbyeSent_ = true;
    }
    sending_.store(false, relaxed);
}

}  // namespace velantra
