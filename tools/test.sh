#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELANTRA_BUILD_DIR:-$root/build}
"$root/tools/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELANTRA_WERROR=ON \
  -DVELANTRA_BUILD_TESTS=ON -DVELANTRA_BUILD_BENCH=ON
cd "$build"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} ctest --output-on-failure --no-tests=error -j "$(nproc)"
