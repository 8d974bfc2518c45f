// The output thread's life cycle. Timing figures live in bench/, not here.
#include "engine/output_thread.h"
#include "engine/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#if defined(__unix__)
#include <csignal>
#include <pthread.h>
#endif

namespace velantra {
namespace {

using namespace std::chrono_literals;

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(OutputThread, TicksUntilStoppedAndStopsOnlyOnce)
{
    std::atomic<int> calls{0};
    OutputThread thread([&] { calls.fetch_add(1); }, 2ms);
    EXPECT_EQ(thread.scheduling(), Scheduling::NotStarted);
    EXPECT_FALSE(thread.running());
    thread.start();
    thread.start();  // a second start is ignored
    EXPECT_TRUE(thread.running());
    ASSERT_TRUE(waitFor([&] { return calls.load() >= 5; }, 5000ms));
    EXPECT_NE(thread.scheduling(), Scheduling::NotStarted);
    thread.stop();
    const int after = calls.load();
    EXPECT_EQ(static_cast<std::uint64_t>(after), thread.ticks());
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(calls.load(), after) << "no tick after stop";
    thread.stop();
    EXPECT_FALSE(thread.running());
}

TEST(OutputThread, TicksNeverOverlapEvenWhenATickOverrunsItsPeriod)
{
    std::atomic<int> inside{0};
    std::atomic<int> maxInside{0};
    std::atomic<int> calls{0};
    OutputThread thread(
        [&] {
            const int now = inside.fetch_add(1) + 1;
            int seen = maxInside.load();
            while (now > seen && !maxInside.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(8ms);  // far longer than the 1 ms period
            inside.fetch_sub(1);
            calls.fetch_add(1);
        },
        1ms);
    thread.start();
    ASSERT_TRUE(waitFor([&] { return calls.load() >= 10; }, 5000ms));
    thread.stop();
    EXPECT_EQ(maxInside.load(), 1);
    EXPECT_GT(thread.lateTicks(), 0u) << "overrunning ticks are counted as late";
}

#if defined(__unix__)
bool blocksTerminationSignals()
{
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    return sigismember(&mask, SIGTERM) == 1 && sigismember(&mask, SIGINT) == 1 && sigismember(&mask, SIGHUP) == 1;
}

// A termination signal must reach the event loop's thread, never a worker
// that may sleep in a raw wait; the creating thread keeps its own mask.
TEST(OutputThread, TheTickAndOtherWorkersNeverTakeTheProcesssSignals)
{
    std::atomic<int> tickBlocks{-1};
    OutputThread thread([&] { tickBlocks.store(blocksTerminationSignals() ? 1 : 0); }, 2ms);
    thread.start();
    ASSERT_TRUE(waitFor([&] { return tickBlocks.load() != -1; }, 5000ms));
    thread.stop();
    EXPECT_EQ(tickBlocks.load(), 1);

    bool workerBlocks = false;
    startWorkerThread([&] { workerBlocks = blocksTerminationSignals(); }).join();
    EXPECT_TRUE(workerBlocks);
    EXPECT_FALSE(blocksTerminationSignals()) << "the caller's mask comes back";
}
#endif

TEST(OutputThread, StopWithoutStartIsHarmless)
{
    OutputThread thread([] {});
    thread.stop();
    EXPECT_EQ(thread.ticks(), 0u);
}

}  // namespace
}  // namespace velantra
