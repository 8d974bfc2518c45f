#!/usr/bin/env bash
# Builds the program and leaves it running for minutes with a show playing,
# pictures flashing, the fake interface replugged and autosave firing, then
# prints the report of velantra_soak; the exit status is the run's.
#
#   tools/soak.sh [--asan] [--minutes N | --seconds N] [--replug-seconds N] [--strict-timing] ...
#
# Without --asan: RelWithDebInfo in build/ (tools/build.sh). With --asan: an
# AddressSanitizer + UndefinedBehaviorSanitizer tree in build-soak-asan/, where
# any sanitizer report (leaks included) fails the run. VELANTRA_BUILD_DIR names
# another build tree. Runs offscreen in a throw-away home and data directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
asan=0
args=()
for arg in "$@"; do
  if [ "$arg" = --asan ]; then
    asan=1
  else
    args+=("$arg")
  fi
done

if [ "$asan" -eq 1 ]; then
  build=${VELANTRA_BUILD_DIR:-$root/build-soak-asan}
  # The flags of tools/sanitize.sh's trees (-O1), so that CI's shared
  # build-address is not rebuilt.
  sanitize_flags="-O1 -g -DNDEBUG"
  "$root/tools/deps.sh"
  cmake -S "$root" -B "$build" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELANTRA_WERROR=ON \
    -DVELANTRA_SANITIZE=address -DVELANTRA_BUILD_TESTS=OFF -DVELANTRA_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$sanitize_flags" >/dev/null
  cmake --build "$build" --target velantra_soak
  export ASAN_OPTIONS="halt_on_error=1 detect_leaks=1 strict_string_checks=1 detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp"
else
  build=${VELANTRA_BUILD_DIR:-$root/build}
  "$root/tools/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi

home=$(mktemp -d)
network=()
dummy=
cleanup() {
  [ -z "$dummy" ] || ip link del "$dummy" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
# As root, the network outputs send through one end of a veth pair
# (198.18.79.0/24; the other end has no address, so nothing goes further than
# this machine) that the soak takes down and brings back.
if [ "$(id -u)" -eq 0 ] && command -v ip >/dev/null && ! ip route | grep -q '^198\.18\.79\.' &&
  ip link add "vsoak$$" type veth peer name "vsoak$$p" 2>/dev/null; then
  dummy=vsoak$$
  ip addr add 198.18.79.1/24 brd + dev "$dummy"
  ip link set "$dummy" up
  ip link set "${dummy}p" up
  network=(--network-interface "$dummy" --network-outages)
else
  echo "soak: network outages skipped (needs root and the veth link type); the network outputs use the loopback"
fi
mkdir -m 700 "$home/runtime"
HOME=$home XDG_DATA_HOME=$home/.local/share XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache \
  XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=offscreen \
  "$build/tools/velantra_soak" "${network[@]}" "${args[@]}"
