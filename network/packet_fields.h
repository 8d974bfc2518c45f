// Reading and writing the fields of network packets: 16- and 32-bit words in
// either byte order, and text in fixed, NUL-padded fields.
//
// Everything here works on caller-owned buffers: any thread, never blocks,
// never allocates. Offsets are the caller's to keep inside the buffer.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace velantra::packet {

// Any thread. Never blocks, never allocates.
constexpr void putU16Be(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

// Any thread. Never blocks, never allocates.
constexpr void putU16Le(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Any thread. Never blocks, never allocates.
constexpr void putU32Be(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value)
{
    putU16Be(bytes, at, static_cast<std::uint16_t>(value >> 16));
    putU16Be(bytes, at + 2, static_cast<std::uint16_t>(value & 0xFFFF));
}

// Any thread. Never blocks, never allocates.
constexpr std::uint16_t u16Be(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

// Any thread. Never blocks, never allocates.
constexpr std::uint16_t u16Le(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at + 1] << 8 | bytes[at]);
}

// Any thread. Never blocks, never allocates.
constexpr std::uint32_t u32Be(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(u16Be(bytes, at)) << 16 | u16Be(bytes, at + 2);
}

// Any thread. Never blocks, never allocates.
// The text up to its first NUL, cut to at most maxBytes without splitting a
// UTF-8 character: a cut that would fall inside a multi-byte character falls
// before it instead (at most three bytes back, the longest a character can
// reach past the cut).
constexpr std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes)
{
    text = text.substr(0, text.find('\0'));
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t cut = maxBytes;
    for (int back = 0; back < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80; ++back) {
        --cut;
    }
    return text.substr(0, cut);
}

// Any thread. Never blocks, never allocates.
// Writes text at the start of field and NULs over the rest of it. The caller
// makes text shorter than the field, so that at least one NUL ends it.
inline void putText(std::span<std::uint8_t> field, std::string_view text)
{
    const auto end =
        std::transform(text.begin(), text.end(), field.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
    std::fill(end, field.end(), std::uint8_t{0});
}

// Text read out of a fixed field of at most Capacity bytes: up to the field's
// first NUL, or the whole field when it has none. Kept in place, so decoding
// never allocates.
template <std::size_t Capacity> class FieldText {
public:
    // Any thread. Never blocks, never allocates. Reads at most Capacity bytes.
    void assign(std::span<const std::uint8_t> field)
    {
        const auto limit = field.first(std::min(field.size(), Capacity));
        const auto end = std::find(limit.begin(), limit.end(), std::uint8_t{0});
        size_ = static_cast<std::size_t>(end - limit.begin());
        std::transform(limit.begin(), end, chars_.begin(), [](std::uint8_t b) { return static_cast<char>(b); });
    }

    // Any thread. Never blocks, never allocates. Valid while this object lives.
    std::string_view view() const { return {chars_.data(), size_}; }
    std::size_t size() const { return size_; }

private:
    std::array<char, Capacity> chars_{};
    std::size_t size_ = 0;
};

}  // namespace velantra::packet
