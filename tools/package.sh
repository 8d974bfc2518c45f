#!/usr/bin/env bash
# Builds the Debian package and prints its path: tools/package.sh [OUTDIR]
# (OUTDIR defaults to the build tree). Install it with apt-get install ./FILE.deb
# The package is checked with lintian; its findings go to standard error and
# any error fails the script (tools/packaging/lintian-overrides says what is
# accepted and why).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELANTRA_BUILD_DIR:-$root/build-package}
"$root/tools/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DVELANTRA_BUILD_TESTS=OFF \
  -DVELANTRA_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr
deb=$(cd "$build" && cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
[ -f "$deb" ] || { echo "cpack made no package" >&2; exit 1; }
if [ $# -gt 0 ]; then
  mkdir -p "$1"
  cp "$deb" "$1/"
  deb=$(cd "$1" && pwd)/$(basename "$deb")
fi
lintian --fail-on error --info "$deb" >&2
echo "$deb"
