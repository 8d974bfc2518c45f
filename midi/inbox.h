// Messages from the MIDI ports' threads on their way to the GUI thread. A
// fader swept fast, or a port flooding thousands of messages a second, is
// coalesced: a controller's or wheel's new value replaces the one still
// waiting from the same control, unless that would lose a key's press or
// release (the value crossing the middle); notes are kept in order. The
// inbox holds at most Capacity messages; beyond that new ones are dropped
// and counted.
#pragma once

#include "midi/midi_message.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace velantra::midi {

struct Received {
    int port = 0;  // the id of the port it came from
    Message message;
    // The lowest and highest value the control passed through on the way to
    // message's value (the ones coalesced into it): pick-up sees a fader
    // sweep through the program's value even when only its end arrives.
    std::uint16_t low = 0;
    std::uint16_t high = 0;
};

class Inbox {
public:
    static constexpr std::size_t Capacity = 4096;

    // Any thread (a port's callback). Never waits on the GUI; holds a lock
    // for a few comparisons. True when the inbox was empty: the caller then
    // tells the GUI thread to take.
    bool push(int port, const Message& message);
    // GUI thread. Everything waiting, oldest first.
    std::vector<Received> take();
    // Any thread. Messages dropped because the inbox was full, since the start.
    std::uint64_t dropped() const;

private:
    mutable std::mutex mutex_;
    std::vector<Received> waiting_;
    std::uint64_t dropped_ = 0;
};

}  // namespace velantra::midi
