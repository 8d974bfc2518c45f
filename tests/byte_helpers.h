// Packets as byte vectors in tests: written out piece by piece, and taken
// from a builder's span for comparison.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace velantra::testing_bytes {

using Bytes = std::vector<std::uint8_t>;

// The pieces one after the other.
inline Bytes cat(std::initializer_list<Bytes> pieces)
{
    Bytes all;
    for (const Bytes& piece : pieces) {
        all.insert(all.end(), piece.begin(), piece.end());
    }
    return all;
}

inline Bytes toBytes(std::span<const std::uint8_t> bytes)
{
    return {bytes.begin(), bytes.end()};
}

}  // namespace velantra::testing_bytes
