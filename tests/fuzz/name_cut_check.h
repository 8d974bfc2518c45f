// The promise every builder makes about a name it writes into a fixed field:
// the name as given up to its first NUL, whole when it fits maxBytes, else cut
// to at most maxBytes and at least maxBytes - 3, going back only over the
// continuation bytes of the UTF-8 character the cut fell in.
#pragma once

#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <string_view>

namespace velantra::fuzz {

inline bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

inline void checkNameCut(std::string_view given, std::string_view kept, std::size_t maxBytes)
{
    const std::string_view whole = given.substr(0, given.find('\0'));
    check(whole.substr(0, kept.size()) == kept, "the name is no prefix of the one given");
    if (whole.size() <= maxBytes) {
        check(kept.size() == whole.size(), "a name that fits was cut");
        return;
    }
    check(kept.size() <= maxBytes && kept.size() + 3 >= maxBytes, "a long name was cut to the wrong size");
    for (std::size_t i = kept.size() + 1; i <= maxBytes; ++i) {
        check(isContinuation(whole[i]), "the cut went back past a character's start");
    }
    check(kept.size() + 3 == maxBytes || !isContinuation(whole[kept.size()]), "the cut fell inside a character");
}

}  // namespace velantra::fuzz
