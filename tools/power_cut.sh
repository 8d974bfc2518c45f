#!/usr/bin/env bash
# Builds the program and kills it at random moments while it edits a show,
# checking after each kill that the recovered show holds every edit made up
# to a second before (tools/power_cut.cpp says how):
#
#   tools/power_cut.sh [--rounds K] [--fs-rounds K] [--seed S]
#
# --rounds: kills with the journal on a working disk (default 1000);
# --fs-rounds: kills with the journal's file system filled, and made
# read-only, at a random moment (default 30 each). Those need root for a
# tmpfs in a private mount namespace; without it they are skipped, and said
# to be. RelWithDebInfo in build/ (VELANTRA_BUILD_DIR names another tree).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELANTRA_BUILD_DIR:-$root/build}
rounds=1000
fs_rounds=30
seed=()
while [ $# -gt 0 ]; do
  case $1 in
  --rounds) rounds=$2 ;;
  --fs-rounds) fs_rounds=$2 ;;
  --seed) seed=(--seed "$2") ;;
  *)
    echo "usage: tools/power_cut.sh [--rounds K] [--fs-rounds K] [--seed S]" >&2
    exit 2
    ;;
  esac
  shift 2
done
"$root/tools/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
tool=$build/tools/velantra_power_cut
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" --rounds "$rounds" --dir "$work/disk" "${seed[@]}"
if [ "$fs_rounds" -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ] || ! unshare -m --propagation private true 2>/dev/null; then
  echo "power cut: the full and read-only journal file system runs skipped: they need root to mount a tmpfs"
  exit 0
fi
for fs in full readonly; do
  unshare -m --propagation private "$tool" --rounds "$fs_rounds" --journal-fs "$fs" --dir "$work/$fs" "${seed[@]}"
done
