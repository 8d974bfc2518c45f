#!/usr/bin/env bash
# Builds the program and runs it; "tools/run.sh --demo" opens the demo show
# (press ▶: spots chasing, washes changing colour, a moving-head circle; the two
# chasers run with "Пуск самостоятельно" on the page "Автоматы").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Only what the program needs: no tests, no benchmarks, none of their packages.
VELANTRA_DEPS=--run "$root/tools/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELANTRA_BUILD_TESTS=OFF -DVELANTRA_BUILD_BENCH=OFF
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: the window runs offscreen (set DISPLAY, or use xvfb-run, to see it)." >&2
  export QT_QPA_PLATFORM=offscreen
fi
if [ "${1:-}" = --demo ]; then
  shift
  set -- "$@" "$root/build/share/velantra/examples/Demo.vlt"
fi
exec "$root/build/app/velantra" "$@"
