#!/usr/bin/env bash
# Format check (.clang-format) and clang-tidy (.clang-tidy) over the tracked
# sources. Needs a configured build tree for compile_commands.json: the
# default is build/, which tools/test.sh makes. The build's -Wconversion means
# GCC's: clang-tidy, reading it as clang does, leaves out sign conversions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELANTRA_BUILD_DIR:-$root/build}
cd "$root"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror
status=0
# One file per clang-tidy, so that no core waits at the end while another
# works through a batch.
git ls-files -z -- '*.cpp' ':!tests/*' ':!bench/*' |
  xargs -0 -r -n 1 -P "$(nproc)" clang-tidy -p "$build" --quiet --extra-arg=-Wno-sign-conversion >"$build/clang-tidy.log" 2>&1 || status=$?
grep -v -E 'warnings generated|^Suppressed |^Use -header-filter' "$build/clang-tidy.log" || true
if [ "$status" -ne 0 ]; then
  echo "lint: clang-tidy found problems" >&2
  exit 1
fi
echo "lint: clean"
