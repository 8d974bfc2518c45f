#!/usr/bin/env bash
# Builds the program and kills show saves at random moments, checking after
# each kill that the show file on disk is whole and loads:
#
#   tools/crash_save.sh [--rounds K] [--max-delay-ms N] [--seed S]
#
# RelWithDebInfo in build/ (tools/build.sh; VELANTRA_BUILD_DIR names another
# tree). The show file lives in a throw-away directory; the report goes to
# stdout and the exit status is the run's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELANTRA_BUILD_DIR:-$root/build}
"$root/tools/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
TMPDIR=$work "$build/tools/velantra_crash_save" --dir "$work/shows" "$@"
