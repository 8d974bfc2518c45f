// The common part of the network outputs: a sender thread of their own. The
// output thread only leaves the newest frame in a slot and wakes the sender;
// sockets, name-free addressing, discovery and every system call that could
// take time run on the sender thread, so the tick never waits on the network.
#pragma once

#include "engine/frame_output.h"
#include "engine/latest_frame.h"
#include "engine/wake_signal.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

namespace velantra {

// The frames of one tick: the desk's first universe and its further ones.
struct UniverseFrames {
    std::array<FrameSlotsArray, MaxUniverses> frames{};
    std::size_t count = 1;  // 1..MaxUniverses
};

// What a network output has done, for the window (read once a second).
struct SenderCounters {
    std::uint64_t packets = 0;   // datagrams sent
    std::uint64_t failures = 0;  // sends the system refused
    int lastError = 0;           // error number of the last refused send (0: none yet)
    bool sending = false;        // configured, switched on, not silenced, and the last frame left
                                 // (at least one of its datagrams was accepted by the system)
};

// A configuration handed from the GUI thread to the sender thread: the GUI
// leaves it, the sender takes it once. Never touched by the output thread.
template <typename Target> class PendingTarget {
public:
    // GUI thread.
    void set(const Target& target)
    {
        const std::lock_guard lock(mutex_);
        target_ = target;
        changed_ = true;
    }
    // Sender thread. The configuration left since the last take, if any.
    std::optional<Target> take()
    {
        const std::lock_guard lock(mutex_);
        if (!changed_) {
            return std::nullopt;
        }
        changed_ = false;
        return target_;
    }

private:
    std::mutex mutex_;
    Target target_;
    bool changed_ = false;
};

class NetworkSender : public FrameOutput {
public:
    NetworkSender() = default;
    ~NetworkSender() override;
    NetworkSender(const NetworkSender&) = delete;
    NetworkSender& operator=(const NetworkSender&) = delete;

    // GUI thread. Starts and stops the sender thread. stop() lets the output
    // say goodbye first (sACN's stream termination) and waits for the thread.
    void start();
    void stop();

    // Output thread. Never blocks, never allocates.
    void write(FrameView frame) final;
    void writeFurther(std::span<const FrameSlotsArray> further) final;
    void silence() final;

    // Any thread.
    SenderCounters counters() const;

protected:
    // Sender thread. How long the thread sleeps when no frame comes.
    virtual std::chrono::milliseconds idlePeriod() const { return std::chrono::milliseconds(250); }
    // Sender thread. Picks up a new configuration when there is one.
    virtual void applyPending() = 0;
    // Sender thread. Sends one tick's universes (called only while sending).
    virtual void sendFrame(const UniverseFrames& frames) = 0;
    // Sender thread. Output stops (DEMO mode, switched off, program end):
    // announce it. Called once per stop.
    virtual void sendGoodbye() {}
    // Sender thread. Runs on every wake-up, frame or not (discovery).
    virtual void service() {}

    // Sender thread. Counts a send: result is 0 or an error number.
    void count(int result);
    // Sender thread. Whether the derived output is configured and switched on.
    void setActive(bool active);
    bool active() const { return active_; }
    // Sender thread. Whether the derived output is switched on but could not
    // set up its socket: it is woken every idle period to try again.
    void setRetrying(bool retrying);
    // Any thread. Wakes the sender thread (a new frame, a new configuration). Never blocks.
    void wake() { wake_.post(); }

private:
    void run();

    LatestValue<UniverseFrames> latest_;
    UniverseFrames staged_;       // output thread's own: filled by writeFurther() and write()
    UniverseFrames frames_;       // sender thread's own
    bool leftThisFrame_ = false;  // sender thread: a datagram of this frame was accepted
    WakeSignal wake_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> silenced_{false};      // DEMO mode: set by the output thread
    bool goodbyeSent_ = true;                // sender thread: nothing to announce yet
    bool active_ = false;                    // sender thread
    bool retrying_ = false;                  // sender thread
    std::atomic<bool> activeShared_{false};  // active_, for the output thread: whether to wake the sender
    std::atomic<std::uint64_t> packets_{0};
    std::atomic<std::uint64_t> failures_{0};
    std::atomic<int> lastError_{0};
    std::atomic<bool> sending_{false};
};

}  // namespace velantra
