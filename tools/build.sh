#!/usr/bin/env bash
# Configures and builds one build tree: tools/build.sh BUILD_DIR [cmake options...]
# VELANTRA_DEPS=--run installs only what the program needs (tools/run.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift
# shellcheck disable=SC2086 # empty, or one option
"$root/tools/deps.sh" ${VELANTRA_DEPS:-}
cmake -S "$root" -B "$build" -G Ninja -Wno-dev "$@" >/dev/null
cmake --build "$build"
