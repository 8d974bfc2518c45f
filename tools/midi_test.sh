#!/usr/bin/env bash
# The MIDI control through real MIDI systems: starts a JACK server of its own
# with the dummy driver (no sound card needed), runs
# build/tests/velantra_midi_system_tests on JACK's MIDI ports, stops the
# server; where ALSA's sequencer is there (/dev/snd/seq, e.g. snd-seq-dummy)
# the same tests run on it too.
#
#   tools/midi_test.sh [BUILD_DIR] [gtest options]
#
# Without jackd (package jackd2) or where the server cannot start, it says so
# and skips (exit 0 with a SKIPPED line).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${VELANTRA_BUILD_DIR:-$root/build}}
shift || true
tests=$build/tests/velantra_midi_system_tests
[ -x "$tests" ] || { echo "MIDI test: $tests not built" >&2; exit 1; }

ran=0
if command -v jackd >/dev/null; then
  # A server of our own name: nothing of the machine's own JACK is touched.
  server=velantra-test-$$
  work=$(mktemp -d /tmp/velantra-jack.XXXXXX)
  jackd --no-realtime -n "$server" -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
  jack_pid=$!
  cleanup() {
    kill "$jack_pid" 2>/dev/null || true
    wait "$jack_pid" 2>/dev/null || true
    rm -rf "$work"
  }
  trap cleanup EXIT
  up=
  for _ in $(seq 50); do
    if JACK_DEFAULT_SERVER=$server JACK_NO_START_SERVER=1 jack_lsp >/dev/null 2>&1; then
      up=1
      break
    fi
    kill -0 "$jack_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -n "$up" ]; then
    echo "== JACK (dummy driver, server $server)"
    JACK_DEFAULT_SERVER=$server JACK_NO_START_SERVER=1 VELANTRA_MIDI_API=jack QT_QPA_PLATFORM=offscreen \
      "$tests" "$@"
    ran=1
  else
    echo "JACK part skipped: the server did not start:"
    tail -n 5 "$work/jackd.log"
  fi
else
  echo "JACK part skipped: no jackd (package jackd2)"
fi

if [ -e /dev/snd/seq ]; then
  echo "== ALSA sequencer"
  VELANTRA_MIDI_API=alsa QT_QPA_PLATFORM=offscreen "$tests" "$@"
  ran=1
else
  echo "ALSA part skipped: no /dev/snd/seq on this machine (load snd-seq-dummy where there is a kernel to load it into)"
fi

if [ "$ran" -eq 0 ]; then
  echo "MIDI test SKIPPED: no MIDI system could be started here"
fi
