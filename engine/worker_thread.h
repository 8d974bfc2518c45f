// The program's own threads (the output tick, the senders, a device's writer)
// never take the process's signals. A termination signal then always reaches
// the thread with the event loop, which saves and ends; a worker that sleeps
// in a raw futex wait could otherwise hold a signal back (under a sanitizer
// that delivers signals only at its own call points, for good).
#pragma once

#include <thread>
#include <utility>

#if defined(__unix__)
#include <csignal>
#endif

namespace velantra {

// Blocks every blockable signal in the calling thread while it lives; the
// thread's own mask comes back at the end of the scope.
class SignalsHeldBack {
public:
    SignalsHeldBack();
    ~SignalsHeldBack();
    SignalsHeldBack(const SignalsHeldBack&) = delete;
    SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

private:
#if defined(__unix__)
    sigset_t saved_{};  // the caller's own mask
#endif
};

// A new thread that starts with every signal blocked (it inherits the mask
// in force when it is created).
template <class Body> std::thread startWorkerThread(Body&& body)
{
    const SignalsHeldBack heldBack;
    return std::thread(std::forward<Body>(body));
}

}  // namespace velantra
