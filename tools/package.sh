#!/usr/bin/env bash
# Builds the Debian package and prints its path: tools/package.sh [OUTDIR]
# (OUTDIR defaults to the build tree). Install it with apt-get install ./FILE.deb
# The program is built with Debian's hardening flags (dpkg-buildflags: stack
# protector, fortify, read-only relocations bound at start) and stripped as
# Debian strips. The package is checked with lintian at its pedantic level;
# its findings go to standard error and any of them fails the script
# (tools/packaging/lintian-overrides says what is accepted and why).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELANTRA_BUILD_DIR:-$root/build-package}
"$root/tools/deps.sh"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
"$root/tools/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DVELANTRA_BUILD_TESTS=OFF \
  -DVELANTRA_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr \
  "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS)" "-DCMAKE_C_FLAGS=$(flags CPPFLAGS) $(flags CFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)" "-DCMAKE_SHARED_LINKER_FLAGS=$(flags LDFLAGS)" \
  "-DCMAKE_MODULE_LINKER_FLAGS=$(flags LDFLAGS)" "-DCMAKE_STRIP=$root/tools/packaging/strip.sh"
deb=$(cd "$build" && cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
[ -f "$deb" ] || { echo "cpack made no package" >&2; exit 1; }
if [ $# -gt 0 ]; then
  mkdir -p "$1"
  cp "$deb" "$1/"
  deb=$(cd "$1" && pwd)/$(basename "$deb")
fi
lintian -EI --pedantic --fail-on error,warning,info,pedantic "$deb" >&2
echo "$deb"
