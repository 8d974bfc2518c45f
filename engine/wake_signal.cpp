#include "engine/wake_signal.h"

#if defined(__linux__)
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <ctime>
#endif

namespace velantra {

#if defined(__linux__)

namespace {

long futex(std::atomic<std::uint32_t>* word, int operation, std::uint32_t value, const timespec* timeout)
{
    return ::syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(word), operation, value, timeout, nullptr, 0);
}

}  // namespace

void WakeSignal::post()
{
    if (posted_.exchange(1, std::memory_order_release) == 0) {
        futex(&posted_, FUTEX_WAKE_PRIVATE, 1, nullptr);
    }
}

void WakeSignal::waitFor(std::chrono::milliseconds timeout)
{
    if (posted_.exchange(0, std::memory_order_acquire) == 1) {
        return;
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
    const timespec relative{static_cast<std::time_t>(seconds.count()),
                            static_cast<long>(std::chrono::nanoseconds(timeout - seconds).count())};
    // Sleeps only while the word is still 0: a post in between returns at once.
    futex(&posted_, FUTEX_WAIT_PRIVATE, 0, &relative);
    posted_.exchange(0, std::memory_order_acquire);
}

#else

void WakeSignal::post()
{
    if (!pending_.exchange(true, std::memory_order_acq_rel)) {
        semaphore_.release();
    }
}

void WakeSignal::waitFor(std::chrono::milliseconds timeout)
{
    (void)semaphore_.try_acquire_for(timeout);
    pending_.store(false, std::memory_order_release);
}

#endif

}  // namespace velantra
