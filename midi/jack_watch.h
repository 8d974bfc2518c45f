// Whether the JACK server is there. RtMidi's clients never learn that their
// server stopped (their listing goes on naming the old ports, their sends go
// nowhere), so the watch keeps a client of its own, without ports, that the
// server's shutdown reaches, and reaches for the server again while it is
// gone. Never starts a server. libjack's own messages go to the log's debug
// level instead of the terminal.
//
// Opening a client can wait for a long time on a server that is slow or
// half-gone (a stopped process still holds its socket), so the watch's own
// thread opens and closes its client; the caller's thread only reads what it
// found and asks it to look again.
//
// libjack blocks SIGPIPE in the thread that opens the process's first client
// (a request to a dead server then fails instead of ending the process), and
// when the last client closes it blocks, in the closing thread, what the
// opening thread blocked at the time. The GUI thread makes the ports' JACK
// calls: it keeps SIGPIPE blocked itself, and the watch's thread, which
// otherwise blocks every signal, opens with the GUI thread's signal mask, so
// that a last client closed on the GUI thread leaves it the termination
// signals.
#pragma once

#if defined(__unix__)
#include <csignal>
#endif

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

struct _jack_client;

namespace velantra::midi {

class JackWatch {
public:
    enum class Found {
        NotYet,  // the first look has not ended
        There,   // the watch holds a client of a running server
        Away,    // no server, or the one reached went
    };

    // changed: called on JACK's thread when the server goes, and on the
    // watch's thread when its first look ends or it reaches a server again;
    // it may only post work to another thread. GUI thread (the thread that
    // makes the process's other JACK calls): blocks SIGPIPE in it.
    explicit JackWatch(std::function<void()> changed);
    // Waits for the watch's thread, and so for a JACK call it is inside.
    ~JackWatch();
    JackWatch(const JackWatch&) = delete;
    JackWatch& operator=(const JackWatch&) = delete;

    // GUI thread. Whether the server went since the watch reached it; the
    // watch's client is then dead, as are every other of the process's
    // clients of that server: close those, then release().
    bool lost() const { return lost_.load(); }
    // GUI thread. The process's other clients of the lost server are closed:
    // the watch closes its own and reaches for a server again. Never waits.
    void release();
    // GUI thread. What the watch found; while the server is away, asks the
    // watch to look again at once. Never waits.
    Found reach();
    // GUI thread. Which reach of the server this is: a new number each time
    // the watch reaches a server again (it stopped and came back). Read
    // after reach() says There.
    int session() const { return session_.load(); }

private:
    static void shutdown(void* self);
    // The watch's thread.
    void run();
    void open();
    void close();

    const std::function<void()> changed_;
#if defined(__unix__)
    sigset_t guiMask_{};  // the GUI thread's signal mask, SIGPIPE blocked
#endif
    _jack_client* client_ = nullptr;  // the watch's thread only
    std::atomic<bool> lost_{false};
    std::atomic<bool> looked_{false};
    std::atomic<bool> up_{false};
    std::atomic<int> session_{0};
    std::mutex mutex_;  // never held across a JACK call
    std::condition_variable wake_;
    bool stop_ = false;      // under mutex_
    bool look_ = true;       // under mutex_: look for a server
    bool released_ = false;  // under mutex_
    std::thread thread_;
};

}  // namespace velantra::midi
