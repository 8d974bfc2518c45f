// Fixed-size arrays shared between the GUI thread and the output thread.
//
// Every element is read and written through std::atomic_ref with relaxed
// ordering: each value is a single byte (or a 16-bit patch entry) that is
// meaningful on its own, so no ordering between elements is needed, only
// freedom from torn reads and data races. On x86 and ARM these compile to
// plain loads and stores.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace velantra {

template <typename T, std::size_t N> class AtomicArray {
public:
    static constexpr std::size_t Size = N;

    AtomicArray() { values_.fill(T{}); }
    AtomicArray(const AtomicArray&) = delete;
    AtomicArray& operator=(const AtomicArray&) = delete;

    // Any thread. Never blocks.
    T get(std::size_t i) const
    {
        return std::atomic_ref<T>(const_cast<T&>(values_[i])).load(std::memory_order_relaxed);
    }

    // Any thread. Never blocks.
    void set(std::size_t i, T v) { std::atomic_ref<T>(values_[i]).store(v, std::memory_order_relaxed); }

    // Any thread. Never blocks. Sets elements first..last inclusive.
    void fill(std::size_t first, std::size_t last, T v)
    {
        for (std::size_t i = first; i <= last; ++i) {
            set(i, v);
        }
    }

    // Any thread. Copies count elements starting at first into out.
    void copyOut(std::size_t first, std::size_t count, T* out) const
    {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = get(first + i);
        }
    }

    // Any thread. Copies count elements from in into the array starting at first.
    void copyIn(std::size_t first, std::size_t count, const T* in)
    {
        for (std::size_t i = 0; i < count; ++i) {
            set(first + i, in[i]);
        }
    }

    static constexpr std::size_t size() { return N; }

private:
    static_assert(std::atomic_ref<T>::is_always_lock_free, "shared cells must be lock-free");
    alignas(std::atomic_ref<T>::required_alignment) std::array<T, N> values_;
};

}  // namespace velantra
