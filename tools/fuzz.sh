#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers, the wire format, the MIDI
# parser and bindings file, the web remote's and OSC's messages, the edit
# journal's reader and the
# network packet decoders with clang (AddressSanitizer +
# UndefinedBehaviorSanitizer) and runs each for a bounded number of inputs:
#
#   tools/fuzz.sh [RUNS]        RUNS inputs per target, 20000 when not given
#
# The build tree is build-fuzz (VELANTRA_FUZZ_BUILD_DIR to change it); the
# starting corpora are written there by fuzz_seeds on every run, and what the
# fuzzers find is kept in build-fuzz/fuzz/corpus for the next run. A crash or
# a broken check fails the script; the input that did it is saved as
# build-fuzz/fuzz/artifacts/<target>-crash-... and replays with
#   build-fuzz/tests/fuzz/<target> <that file>
# The fuzzers' random seed is VELANTRA_FUZZ_SEED: 1 when not given, 0 for a
# new one on every run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-20000}
seed=${VELANTRA_FUZZ_SEED:-1}
case $runs$seed in
'' | *[!0-9]*)
  echo "usage: tools/fuzz.sh [RUNS] (RUNS and VELANTRA_FUZZ_SEED are numbers)" >&2
  exit 2
  ;;
esac
build=${VELANTRA_FUZZ_BUILD_DIR:-$root/build-fuzz}
started=$(date +%s.%N)

"$root/tools/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -Wno-dev -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELANTRA_WERROR=ON -DVELANTRA_FUZZ=ON -DVELANTRA_SANITIZE=address -DVELANTRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target velantra_fuzz --parallel "$(nproc)"
built=$(date +%s.%N)

work=$build/fuzz
rm -rf "$work/seeds" "$work/logs"
mkdir -p "$work/corpus" "$work/artifacts" "$work/logs"
"$build/tests/fuzz/fuzz_seeds" "$work/seeds"
# The OSC messages' seeds are datagrams written by oscsend, the web remote's
# are messages a page sends; both are kept in the tree.
cp -r "$root/tests/fuzz/seeds/osc" "$work/seeds/osc"
cp -r "$root/tests/fuzz/seeds/remote" "$work/seeds/remote"
cp -r "$root/tests/fuzz/seeds/journal" "$work/seeds/journal"

# The files the readers open: in memory when /dev/shm is there, and gone
# afterwards even when a fuzzer crashed and left its file behind.
scratch_parent=/dev/shm
[ -w "$scratch_parent" ] || scratch_parent=${TMPDIR:-/tmp}
VELANTRA_FUZZ_SCRATCH=$(mktemp -d "$scratch_parent/velantra-fuzz.XXXXXX")
export VELANTRA_FUZZ_SCRATCH
trap 'rm -rf "$VELANTRA_FUZZ_SCRATCH"' EXIT

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:malloc_context_size=5:quarantine_size_mb=64"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp"

# target, seed folder, then the target's own options. -max_len lets every
# reader see files past the size it needs (show 81920, colour 16384, patch
# 512 bytes); -len_control=0 tries all lengths up to it from the start. The
# packets: sACN up to 638 bytes (and a source, a frame and a name of 534 + 64
# for the round trip), ArtPoll 22, ArtPollReply 239. A show as JSON is
# about 1.4 MB. The settings reader takes some 150 inputs a second: it stops
# after 45 s if its runs are not done by then. Longest first (see below).
targets=(
  "fuzz_settings_file settings -max_len=4096 -dict=$root/tests/fuzz/settings.dict -max_total_time=45"
  "fuzz_show_json showjson -max_len=$((2 * 1024 * 1024))"
  "fuzz_journal journal -max_len=4096"
  "fuzz_remote_message remote -max_len=8192 -dict=$root/tests/fuzz/remote.dict"
  "fuzz_show_file show -max_len=$((81920 + 1024)) -len_control=0"
  "fuzz_universes_file universes -max_len=8192"
  "fuzz_osc_message osc -max_len=1024 -dict=$root/tests/fuzz/osc.dict"
  "fuzz_patch_file patch -max_len=1024 -len_control=0"
  "fuzz_color_file color -max_len=$((16384 + 1024)) -len_control=0"
  "fuzz_wire wire -max_len=$((2 * 1032 + 36))"
  "fuzz_midi midi -max_len=4096"
  "fuzz_midi_bindings bindings -max_len=4096"
  "fuzz_pro_reply proreply -max_len=2048"
  "fuzz_sacn sacn -max_len=1024"
  "fuzz_artpoll artpoll -max_len=64"
  "fuzz_artpollreply artpollreply -max_len=512"
)

# One target's run: its log in logs/NAME.log, its summary line in
# logs/NAME.line, and logs/NAME.failed when it failed.
fuzz_one() {
  local name=$1 seeds=$2 options=$3
  local log=$work/logs/$name.log
  mkdir -p "$work/corpus/$name"
  local t0 t1 rc=0
  t0=$(date +%s.%N)
  # shellcheck disable=SC2086 # options are separate words on purpose
  "$build/tests/fuzz/$name" -runs="$runs" -seed="$seed" $options -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/$name-" "$work/corpus/$name" "$work/seeds/$seeds" >"$log" 2>&1 || rc=$?
  t1=$(date +%s.%N)
  local seconds done_line done_runs exec_s cov ft corp line
  seconds=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }')
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  exec_s=$(awk -v n="${done_runs:-0}" -v t="$seconds" 'BEGIN { printf "%.0f", (t > 0 ? n / t : 0) }')
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")
  corp=$(sed -n 's/.* corp: \([^ ]*\).*/\1/p' <<<"$done_line")
  # exec/s over the whole run, loading the corpus included.
  line=$(printf '%-19s runs %-7s %6ss  exec/s %-6s cov %-5s ft %-5s corpus %s' \
    "$name" "${done_runs:-?}" "$seconds" "${exec_s:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}")
  if [ "$rc" -ne 0 ]; then
    line="$line  FAILED (exit $rc)"
    touch "$work/logs/$name.failed"
    {
      echo "--- $name failed; the end of $log:"
      tail -n 40 "$log"
    } >"$work/logs/$name.tail"
  fi
  echo "$line" >"$work/logs/$name.line"
  echo "$line"
}

# Each fuzzer is one process on one core: as many run at once as there are
# cores (VELANTRA_FUZZ_JOBS to change it), each with its own corpus, seeds and
# inputs, so the runs are those of one at a time. The list above is in order of
# the longest first, so that the short ones fill in at the end.
jobs=${VELANTRA_FUZZ_JOBS:-$(nproc)}
echo "== ${#targets[@]} targets, $runs runs each, $jobs at a time"
for entry in "${targets[@]}"; do
  read -r name seeds options <<<"$entry"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
  fuzz_one "$name" "$seeds" "$options" &
done
wait

failed=()
summary=()
for entry in "${targets[@]}"; do
  read -r name _ <<<"$entry"
  if [ -e "$work/logs/$name.failed" ] || [ ! -e "$work/logs/$name.line" ]; then
    failed+=("$name")
    [ ! -e "$work/logs/$name.tail" ] || cat "$work/logs/$name.tail"
  fi
  summary+=("$(cat "$work/logs/$name.line" 2>/dev/null || echo "$name  FAILED (no result)")")
done

finished=$(date +%s.%N)
echo
echo "== fuzzing summary ($runs runs per target, seed $seed; inputs that fail are kept in $work/artifacts)"
printf '%s\n' "${summary[@]}"
awk -v a="$started" -v b="$built" -v c="$finished" \
  'BEGIN { printf "build %.0fs, fuzzing %.0fs, total %.0fs\n", b - a, c - b, c - a }'
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: FAILED: ${failed[*]}"
  exit 1
fi
echo "fuzz: all targets passed"
