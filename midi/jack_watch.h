// Whether the JACK server is there. RtMidi's clients never learn that their
// server stopped (their listing goes on naming the old ports, their sends go
// nowhere), so the watch keeps a client of its own, without ports, that the
// server's shutdown reaches, and reaches for the server again while it is
// gone. Never starts a server. libjack's own messages go to the log's debug
// level instead of the terminal.
#pragma once

#include <atomic>
#include <functional>

struct _jack_client;

namespace velantra::midi {

class JackWatch {
public:
    // gone: called on JACK's thread when the server goes; it may only post
    // work to another thread.
    explicit JackWatch(std::function<void()> gone);
    ~JackWatch();
    JackWatch(const JackWatch&) = delete;
    JackWatch& operator=(const JackWatch&) = delete;

    // GUI thread. Whether the server went since the watch reached it; the
    // watch's client is then dead, as are every other of the process's
    // clients of that server: close those before reach().
    bool lost() const { return lost_.load(); }
    // GUI thread. Whether the server is there: closes a dead client and
    // tries to reach the server, at once, without waiting for it.
    bool reach();
    // GUI thread. Which reach of the server this is: a new number each time
    // the watch reaches a server again (it stopped and came back).
    int session() const { return session_; }

private:
    static void shutdown(void* self);
    void close();

    std::function<void()> gone_;
    _jack_client* client_ = nullptr;
    std::atomic<bool> lost_{false};
    int session_ = 0;
};

}  // namespace velantra::midi
