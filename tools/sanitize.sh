#!/usr/bin/env bash
# Builds and runs the engine, link, storage, journal and player tests under a sanitizer
# (the player tests run velantra-player, built with the same sanitizer):
# tools/sanitize.sh thread|address. Any sanitizer report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?usage: tools/sanitize.sh thread|address}
build=$root/build-$kind
# -O1 instead of RelWithDebInfo's -O2: the same instrumentation and checks,
# and a third less compile time for the test files, whose gtest bodies take most
# of it under UndefinedBehaviorSanitizer. Warnings that need -O2 are the main
# build's (tools/test.sh). tools/soak.sh --asan uses the same flags: it shares
# build-address in CI, and configures it without the tests: they are asked for
# here by name.
sanitize_flags="-O1 -g -DNDEBUG"
"$root/tools/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELANTRA_WERROR=ON \
  -DVELANTRA_SANITIZE="$kind" -DVELANTRA_BUILD_TESTS=ON -DVELANTRA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$sanitize_flags" >/dev/null
cmake --build "$build" --target velantra_engine_tests velantra_link_tests velantra_storage_tests velantra_player_tests \
  velantra_journal_tests
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$root/tools/tsan.supp"
export ASAN_OPTIONS="halt_on_error=1 detect_leaks=1 strict_string_checks=1 detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -L "engine|link|storage|player|journal" -j "$(nproc)"
