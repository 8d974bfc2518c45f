#!/usr/bin/env bash
# Configures and builds one build tree: tools/build.sh BUILD_DIR [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift
"$root/tools/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -Wno-dev "$@" >/dev/null
cmake --build "$build"
