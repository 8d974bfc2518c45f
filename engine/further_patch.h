// The desk's further universes (2..4): for each of their 512 slots, the
// channel 1..255 that feeds it, or 0 for none. A channel may feed any number
// of slots, in any universe. The tick builds each universe from the desk's
// channels as they are after the pictures, faders and blackout, before the
// first universe's patch. A universe is sent while it or one after it has
// a slot patched.
#pragma once

#include "engine/atomic_array.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace velantra {

inline constexpr int FurtherUniverseCount = 3;
inline constexpr int UniverseSlotCount = 512;

class FurtherPatch {
public:
    // Any thread. universe 0..2 (the desk's universes 2..4), slot 1..512.
    std::uint8_t source(int universe, int slot) const { return sources_.get(index(universe, slot)); }

    // GUI thread. channel 0..255 (0: none).
    void setSource(int universe, int slot, std::uint8_t channel)
    {
        sources_.set(index(universe, slot), channel);
        const int used = used_.load(std::memory_order_relaxed);
        if (channel != 0 && universe + 1 > used) {
            used_.store(universe + 1, std::memory_order_relaxed);
        } else if (channel == 0 && universe + 1 == used) {
            recount();  // the last universe may have lost its last slot
        }
    }
    // GUI thread. Every slot of every further universe to none.
    void clear()
    {
        sources_.fill(0, sources_.size() - 1, 0);
        used_.store(0, std::memory_order_relaxed);
    }
    // Any thread. How many further universes are sent (0..3).
    int used() const { return used_.load(std::memory_order_relaxed); }

private:
    static std::size_t index(int universe, int slot)
    {
        return static_cast<std::size_t>(universe) * UniverseSlotCount + static_cast<std::size_t>(slot - 1);
    }
    void recount()
    {
        for (int u = FurtherUniverseCount - 1; u >= 0; --u) {
            for (int slot = 1; slot <= UniverseSlotCount; ++slot) {
                if (source(u, slot) != 0) {
                    used_.store(u + 1, std::memory_order_relaxed);
                    return;
                }
            }
        }
        used_.store(0, std::memory_order_relaxed);
    }

    AtomicArray<std::uint8_t, static_cast<std::size_t>(FurtherUniverseCount) * UniverseSlotCount> sources_;
    std::atomic<int> used_{0};
};

}  // namespace velantra
