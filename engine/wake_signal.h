// A wake-up that one thread gives without ever blocking (the output thread,
// a new frame) and one other thread waits for with a timeout (a sender).
// Unlike the standard library's semaphore, the wait goes straight to sleep:
// libstdc++ spins and yields first, which, twenty frames a second, was most
// of what an idle sender cost. Any number of posts before a wait count once.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#if !defined(__linux__)
#include <semaphore>
#endif

namespace velantra {

class WakeSignal {
public:
    // Any thread. Never blocks.
    void post();
    // The one waiting thread. Returns after a post (also one given before the
    // call) or the timeout, whichever comes first; a post is used up.
    void waitFor(std::chrono::milliseconds timeout);

private:
#if defined(__linux__)
    std::atomic<std::uint32_t> posted_{0};  // the futex word: 1 while a post is pending
    static_assert(sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t) &&
                  std::atomic<std::uint32_t>::is_always_lock_free);
#else
    std::atomic<bool> pending_{false};
    std::binary_semaphore semaphore_{0};
#endif
};

}  // namespace velantra
