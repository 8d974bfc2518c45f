// The thread that runs the output tick every 50 ms.
//
// Each tick is due one period after the start of the previous one, measured
// on the monotonic clock with an absolute deadline. A late tick runs at once;
// ticks never overlap and missed ticks are never made up in a burst.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace velantra {

enum class Scheduling : std::uint8_t {
    NotStarted,
    RealTime,  // SCHED_FIFO granted
    Normal,    // real-time refused: ordinary time sharing
};

class OutputThread {
public:
    using Clock = std::chrono::steady_clock;

    // tick is called on the output thread; it must not block.
    explicit OutputThread(std::function<void()> tick, std::chrono::microseconds period = std::chrono::milliseconds(50));
    ~OutputThread();
    OutputThread(const OutputThread&) = delete;
    OutputThread& operator=(const OutputThread&) = delete;

    // GUI thread. Starts the thread once; later calls do nothing.
    void start();
    // GUI thread. Stops and joins; returns within one period. Idempotent.
    void stop();

    // Any thread.
    bool running() const { return running_.load(std::memory_order_acquire); }
    Scheduling scheduling() const { return scheduling_.load(std::memory_order_acquire); }
    std::uint64_t ticks() const { return ticks_.load(std::memory_order_relaxed); }
    // Ticks that started more than 5 ms after they were due.
    std::uint64_t lateTicks() const { return lateTicks_.load(std::memory_order_relaxed); }
    // Longest time from the start of one tick to the start of the next (0 before the second tick).
    std::chrono::microseconds longestPeriod() const
    {
        return std::chrono::microseconds(longestPeriodUs_.load(std::memory_order_relaxed));
    }

    // Real-time priority asked for; modest, below the kernel's own IRQ threads.
    static constexpr int RealTimePriority = 20;
    static constexpr std::chrono::milliseconds LateThreshold{5};

private:
    void run();

    std::function<void()> tick_;
    std::chrono::microseconds period_;
    std::thread thread_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> running_{false};
    std::atomic<Scheduling> scheduling_{Scheduling::NotStarted};
    std::atomic<std::uint64_t> ticks_{0};
    std::atomic<std::uint64_t> lateTicks_{0};
    std::atomic<std::int64_t> longestPeriodUs_{0};  // written by the output thread only
    bool started_ = false;
};

// Output thread. Asks for SCHED_FIFO at the given priority for the calling
// thread; returns false (and changes nothing) when the system refuses.
bool requestRealTimeScheduling(int priority);

// Output thread. Sleeps until the absolute deadline on the monotonic clock.
void sleepUntil(OutputThread::Clock::time_point deadline);

}  // namespace velantra
