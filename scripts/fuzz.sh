#!/usr/bin/env bash
# Fuzzes the tl2 reader with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# (installs what is missing and builds the fuzz preset first).
#
#   scripts/fuzz.sh [SECONDS] [LIBFUZZER-FLAG...]   fuzz for SECONDS (default 600)
#   scripts/fuzz.sh --replay [FILE...]              run each seed and regression, or each FILE, once
#   scripts/fuzz.sh --merge                         add what the runs found to the seed corpus
#
# Fuzzing starts from fuzz/corpus/reader and the bundled samples; the inputs it finds worth
# keeping collect in fuzz/findings/corpus-reader, and an input that breaks the reader is saved
# as fuzz/findings/crash-* (or leak-*, timeout-*, oom-*). fuzz/findings/ is not committed: copy
# a finding into fuzz/regressions/reader, where every test run replays it, and mend the reader.
# Extra flags go to libFuzzer as they are, for example -jobs=2 -workers=2 to use both cores.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh

fuzzer="$root/build/fuzz/fuzz/tavelo_fuzz_reader"
seeds="$root/fuzz/corpus/reader"
regressions="$root/fuzz/regressions/reader"
findings="$root/fuzz/findings"
work="$findings/corpus-reader"
# Above the largest buffer the reader walks (32,768 bytes), so that the size limits stay reachable.
max_len=40000

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target tavelo_fuzz_reader
mkdir -p "$work"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Every run allocates the reader's tables afresh; a smaller quarantine lets freed memory come
# back sooner and doubles the runs per second, while use after free within a run still shows.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16}"

case "${1:-}" in
  --replay)
    shift
    if [ $# -eq 0 ]; then
      set -- "$seeds"
      if [ -d "$regressions" ]; then set -- "$@" "$regressions"; fi
    fi
    exec "$fuzzer" -runs=0 -max_len="$max_len" "$@"
    ;;
  --merge)
    # Keeps only the inputs that add coverage to what the seeds already reach.
    exec "$fuzzer" -merge=1 -max_len="$max_len" "$seeds" "$work"
    ;;
  -*)
    echo "usage: scripts/fuzz.sh [SECONDS] [LIBFUZZER-FLAG...] | --replay [FILE...] | --merge" >&2
    exit 2
    ;;
esac

seconds="${1:-600}"
shift || true
case "$seconds" in
  '' | *[!0-9]*)
    echo "scripts/fuzz.sh: SECONDS must be a whole number, not '$seconds'" >&2
    exit 2
    ;;
esac
# From inside the findings, where libFuzzer also leaves the logs of -jobs.
cd "$findings"
exec "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
  -dict="$root/fuzz/reader.dict" -artifact_prefix="$findings/" -print_final_stats=1 "$@" \
  "$work" "$seeds" "$root/samples"
