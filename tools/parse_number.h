// Command-line numbers of the measuring tools: the whole argument must be a
// number within lo..hi.
#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

namespace velantra {

// Any thread. out := value when it is a number in lo..hi; false otherwise, out untouched.
template <typename T> bool parseNumber(std::string_view value, T lo, T hi, T& out)
{
    T n{};
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (error != std::errc() || end != value.data() + value.size() || n < lo || n > hi) {
        return false;
    }
    out = n;
    return true;
}

}  // namespace velantra
