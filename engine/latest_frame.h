// A slot that always holds the newest frame: the output thread publishes
// every tick, a sender thread takes the newest when it is ready. Three
// buffers and one atomic index; neither side ever waits for the other, and a
// frame the sender had no time for is simply replaced by the next one.
#pragma once

#include "engine/frame_output.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>

namespace velantra {

template <typename Value> class LatestValue {
public:
    // Output thread (the one producer). Never blocks, never allocates.
    void publish(const Value& value)
    {
        buffers_[back_] = value;
        const unsigned previous = middle_.exchange(back_ | Fresh, std::memory_order_acq_rel);
        back_ = previous & IndexMask;
    }

    // Sender thread (the one consumer). True and the newest value in out when
    // one was published since the last take. Never blocks.
    bool take(Value& out)
    {
        if ((middle_.load(std::memory_order_acquire) & Fresh) == 0) {
            return false;
        }
        const unsigned previous = middle_.exchange(front_, std::memory_order_acq_rel);
        front_ = previous & IndexMask;
        out = buffers_[front_];
        return true;
    }

private:
    static constexpr unsigned Fresh = 4;
    static constexpr unsigned IndexMask = 3;

    std::array<Value, 3> buffers_{};
    unsigned back_ = 0;                // producer's own
    std::atomic<unsigned> middle_{1};  // shared: index, and Fresh when unread
    unsigned front_ = 2;               // consumer's own
};

class LatestFrame : public LatestValue<FrameSlotsArray> {
public:
    using Frame = FrameSlotsArray;

    // Output thread (the one producer). Never blocks, never allocates.
    void publish(FrameView frame)
    {
        std::copy(frame.begin(), frame.end(), staged_.begin());
        LatestValue<Frame>::publish(staged_);
    }

private:
    Frame staged_{};  // producer's own
};

}  // namespace velantra
