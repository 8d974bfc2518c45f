#!/usr/bin/env bash
# The MIDI control through real MIDI systems: starts a JACK server of its own
# with the dummy driver (no sound card needed), runs
# build/tests/velantra_midi_system_tests on JACK's MIDI ports, stops the
# server; where ALSA's sequencer is there (/dev/snd/seq, e.g. snd-seq-dummy)
# the same tests run on it too. The tests stop and restart the JACK server
# through VELANTRA_JACK_SERVER_CONTROL (a script written here: "stop", or
# "start", which waits until the server answers).
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
  control=$work/server
  cat >"$control" <<EOF
#!/usr/bin/env bash
# The test's JACK server: stop, or start and wait until it answers.
export JACK_DEFAULT_SERVER=$server JACK_NO_START_SERVER=1
# A process is gone once it has no entry, or only a zombie's.
gone() {
  local state
  state=\$(awk '{print \$3}' "/proc/\$1/stat" 2>/dev/null) || return 0
  [ -z "\$state" ] || [ "\$state" = Z ]
}
case "\${1:-}" in
stop)
  pid=\$(cat "$work/jackd.pid" 2>/dev/null) || exit 0
  kill "\$pid" 2>/dev/null || true
  for _ in \$(seq 100); do
    gone "\$pid" && exit 0
    sleep 0.1
  done
  exit 1 ;;
start)
  jackd --no-realtime -n "$server" -d dummy -r 48000 -p 256 >>"$work/jackd.log" 2>&1 </dev/null &
  pid=\$!
  echo "\$pid" >"$work/jackd.pid"
  for _ in \$(seq 50); do
    jack_lsp >/dev/null 2>&1 && exit 0
    gone "\$pid" && exit 1
    sleep 0.1
  done
  exit 1 ;;
esac
echo "usage: \$0 stop|start" >&2
exit 2
EOF
  chmod +x "$control"
  cleanup() {
    "$control" stop || true
    rm -rf "$work"
  }
  trap cleanup EXIT
  if "$control" start; then
    echo "== JACK (dummy driver, server $server)"
    JACK_DEFAULT_SERVER=$server JACK_NO_START_SERVER=1 VELANTRA_MIDI_API=jack QT_QPA_PLATFORM=offscreen \
      VELANTRA_JACK_SERVER_CONTROL=$control "$tests" "$@"
    ran=1
  else
    echo "JACK part skipped: the server did not start:"
    tail -n 5 "$work/jackd.log"
  fi
else
  echo "JACK part skipped: no jackd (package jackd2)"
fi

if [ -e /dev/snd/seq ]; then
  # The sequencer is the kernel's: a test cannot stop it, so that test skips.
  echo "== ALSA sequencer"
  VELANTRA_MIDI_API=alsa QT_QPA_PLATFORM=offscreen "$tests" "$@"
  ran=1
else
  echo "ALSA part skipped: no /dev/snd/seq on this machine (load snd-seq-dummy where there is a kernel to load it into)"
fi

if [ "$ran" -eq 0 ]; then
  echo "MIDI test SKIPPED: no MIDI system could be started here"
fi
