#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent and
# quiet when everything is already there; uses sudo when not run as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format clang-tidy clang libclang-rt-14-dev dpkg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev libftdi1-dev libinih-dev fonts-dejavu-core
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  xvfb xdotool x11-utils libxcb1-dev ola iproute2
  librtmidi-dev jackd2
  desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
