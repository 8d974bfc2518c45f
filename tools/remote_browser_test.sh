#!/usr/bin/env bash
# The web remote in a real browser: starts velantra-player with the remote on
# (a fresh HOME and data directory, a settings file with [Remote] Enabled=1 on
# a free port of the loopback and a PIN, a two-scene show, the fake USB
# interface writing each frame to a file) and runs tests/remote_browser_test.py
# against it in headless Chromium.
#
#   tools/remote_browser_test.sh [BUILD_DIR]
#
# VELANTRA_REMOTE_SCREENSHOTS=DIR keeps the page's screenshots at phone
# (390x844) and tablet (820x1180, 1180x820) sizes in DIR.
#
# Without Chromium, its driver or Selenium for Debian's python3 it says so and
# skips (exit 0 with a SKIPPED line).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${VELANTRA_BUILD_DIR:-$root/build}}

skip() {
  echo "remote browser test SKIPPED: $*"
  exit 0
}
# Debian's interpreter: the one first on PATH may lack Debian's packages.
python=/usr/bin/python3
[ -x "$python" ] || skip "no /usr/bin/python3"
command -v chromium >/dev/null || skip "chromium not installed (Debian package chromium)"
[ -x /usr/bin/chromedriver ] || skip "chromedriver not installed (Debian package chromium-driver)"
"$python" -c 'import selenium' 2>/dev/null || skip "Selenium not installed (Debian package python3-selenium)"

player=$build/player/velantra-player
show_writer=$build/tests/velantra_remote_show
fake=$build/tests/fake_ftd2xx
for needed in "$player" "$show_writer" "$fake/libftd2xx.so"; do
  [ -e "$needed" ] || { echo "remote browser test: $needed not built" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velantra-remote.XXXXXX)
player_pid=
cleanup() {
  if [ -n "$player_pid" ]; then
    kill "$player_pid" 2>/dev/null || true
    wait "$player_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

port=$("$python" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
pin=$(printf "%06d" $(((RANDOM * 32768 + RANDOM) % 1000000)))
data=$work/data/korvex/velantra
mkdir -p "$data"
printf '[Remote]\r\nEnabled=1\r\nPort=%s\r\nBind=127.0.0.1\r\nPin=%s\r\n' "$port" "$pin" >"$data/Vela43.ini"
"$show_writer" "$work/Remote.vlt"

HOME=$work XDG_DATA_HOME=$work/data LD_LIBRARY_PATH=$fake FAKE_FTD2XX_FRAMES=$work/frames.bin \
  "$player" --show "$work/Remote.vlt" >"$work/player.log" 2>&1 &
player_pid=$!
for _ in $(seq 100); do
  grep -q "web remote: " "$work/player.log" && break
  kill -0 "$player_pid" 2>/dev/null || break
  sleep 0.1
done
if ! grep -q "web remote: http://127.0.0.1:$port/ PIN $pin" "$work/player.log"; then
  echo "remote browser test: the player did not say its web remote's address; its log:" >&2
  cat "$work/player.log" >&2
  exit 1
fi

rc=0
VELANTRA_REMOTE_URL=http://127.0.0.1:$port/ VELANTRA_REMOTE_PIN=$pin VELANTRA_REMOTE_FRAMES=$work/frames.bin \
  VELANTRA_REMOTE_LOG=$work/player.log "$python" "$root/tests/remote_browser_test.py" || rc=$?
kill -0 "$player_pid" 2>/dev/null || { echo "remote browser test: velantra-player died" >&2; rc=1; }
if [ "$rc" -ne 0 ]; then
  echo "--- the player's log:"
  cat "$work/player.log"
fi
exit "$rc"
