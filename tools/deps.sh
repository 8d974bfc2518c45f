#!/usr/bin/env bash
# Installs the Debian packages the build needs: with --run only those that
# build and run the program (tools/run.sh), otherwise also everything the
# tests, lint, sanitizers and packaging use (tools/test.sh). Idempotent and
# quiet when everything is already there; uses sudo when not run as root.
# --list prints the packages that would be installed and installs nothing.
#
#   tools/deps.sh [--run] [--list]
set -euo pipefail

# Building and running the program: compiler, Qt with its translations,
# the USB, settings and MIDI libraries, a font, the web remote's HTTP and
# WebSocket server, OSC and the QR code.
run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  libftdi1-dev libinih-dev librtmidi-dev libjack-jackd2-dev fonts-dejavu-core
  qt6-httpserver-dev qt6-websockets-dev liblo-dev libqrencode-dev
)
# The tests and their real counterparts (X server, olad, JACK, a browser and
# its WebDriver, OSC's command-line tools), lint,
# sanitizers and fuzzers, the benchmarks and the Debian package checks.
test_packages=(
  clang-format clang-tidy clang libclang-rt-14-dev dpkg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils libxcb1-dev ola iproute2 jackd2
  desktop-file-utils appstream lintian
  liblo-tools chromium chromium-driver python3-selenium
)

only_run=
list=
for arg in "$@"; do
  case $arg in
    --run) only_run=1 ;;
    --list) list=1 ;;
    *) echo "usage: tools/deps.sh [--run] [--list]" >&2; exit 2 ;;
  esac
done
packages=("${run_packages[@]}")
[ -n "$only_run" ] || packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ -n "$list" ]; then
  echo "${#packages[@]} packages, ${#missing[@]} missing: ${missing[*]}"
  exit 0
fi
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
