// The check every fuzz target uses: a broken promise stops the run, and
// libFuzzer keeps the input that did it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace velantra::fuzz {

[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

inline void check(bool condition, const char* what)
{
    if (!condition) {
        fail(what);
    }
}

}  // namespace velantra::fuzz
