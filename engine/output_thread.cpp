#include "engine/output_thread.h"

#include "engine/worker_thread.h"

#include <utility>

#if defined(__unix__)
#include <cerrno>
#include <pthread.h>
#include <sched.h>
#include <time.h>
#endif

namespace velantra {

bool requestRealTimeScheduling(int priority)
{
#if defined(__unix__)
    sched_param param{};
    param.sched_priority = priority;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
#else
    (void)priority;
    return false;
#endif
}

void sleepUntil(OutputThread::Clock::time_point deadline)
{
#if defined(__unix__)
    // steady_clock is CLOCK_MONOTONIC with libstdc++ and libc++ on Linux.
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
#else
    std::this_thread::sleep_until(deadline);
#endif
}

OutputThread::OutputThread(std::function<void()> tick, std::chrono::microseconds period)
    : tick_(std::move(tick))
    , period_(period)
{}

OutputThread::~OutputThread()
{
    stop();
}

void OutputThread::start()
{
    if (started_) {
        return;
    }
    started_ = true;
    running_.store(true, std::memory_order_release);
    thread_ = startWorkerThread([this] { run(); });
}

void OutputThread::stop()
{
    stopRequested_.store(true, std::memory_order_release);
    if (thread_.joinable()) {
        thread_.join();
    }
    running_.store(false, std::memory_order_release);
}

void OutputThread::run()
{
    scheduling_.store(requestRealTimeScheduling(RealTimePriority) ? Scheduling::RealTime : Scheduling::Normal,
                      std::memory_order_release);

    auto due = Clock::now();
    Clock::time_point previousStart{};
    bool first = true;
    while (!stopRequested_.load(std::memory_order_acquire)) {
        sleepUntil(due);
        if (stopRequested_.load(std::memory_order_acquire)) {
            break;
        }
        const auto start = Clock::now();
        if (start - due > LateThreshold) {
            lateTicks_.fetch_add(1, std::memory_order_relaxed);
        }
        if (!first) {
            const auto period = std::chrono::duration_cast<std::chrono::microseconds>(start - previousStart).count();
            if (period > longestPeriodUs_.load(std::memory_order_relaxed)) {
                longestPeriodUs_.store(period, std::memory_order_relaxed);
            }
        }
        first = false;
        previousStart = start;
        // Re-arm first: the next tick is due one period after this one starts,
        // however long this one takes.
        due = start + period_;
        tick_();
        ticks_.fetch_add(1, std::memory_order_relaxed);
    }
}

}  // namespace velantra
