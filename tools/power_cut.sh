#!/usr/bin/env bash
# Builds the program and kills it at random moments while it edits a show,
# checking after each kill that the recovered show holds every edit made up
# to a second before (tools/power_cut.cpp says how):
#
#   tools/power_cut.sh [--rounds K] [--fs-rounds K] [--seed S]
#
# --rounds: kills with the journal on a working disk (default 1000);
# --fs-rounds: kills with the journal's file system filled (a tmpfs), and
# made read-only (an ext4 image on a loop device, aborted), at a random
# moment (default 30 each). Those need root and a private mount namespace,
# the read-only one also a loop device and mkfs.ext4; without them they are
# skipped, and said to be. RelWithDebInfo in build/ (VELANTRA_BUILD_DIR
# names another tree). The exit status is 1 when any run failed.
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
status=0
# A failed round's files stay for a look.
trap 'if [ $status -eq 0 ]; then rm -rf "$work"; else echo "power cut: the files are kept in $work"; fi' EXIT
"$tool" --rounds "$rounds" --dir "$work/disk" "${seed[@]}" || status=1
if [ "$fs_rounds" -eq 0 ]; then
  exit $status
fi
if [ "$(id -u)" -ne 0 ] || ! unshare -m --propagation private true 2>/dev/null; then
  echo "power cut: skipped: the full and read-only journal file system runs need root to mount a tmpfs in a private mount namespace"
  exit $status
fi
unshare -m --propagation private "$tool" --rounds "$fs_rounds" --journal-fs full --dir "$work/full" "${seed[@]}" ||
  status=1
if [ ! -e /dev/loop-control ] || ! command -v mkfs.ext4 >/dev/null; then
  echo "power cut: skipped: the read-only journal file system run needs a loop device and mkfs.ext4"
  exit $status
fi
unshare -m --propagation private "$tool" --rounds "$fs_rounds" --journal-fs readonly --dir "$work/readonly" \
  "${seed[@]}" || status=1
exit $status
