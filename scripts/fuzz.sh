#!/usr/bin/env bash
# Fuzzes Tavelo with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer (installs what
# is missing and builds the fuzz preset first). Five targets:
#
#   reader   the tl2 reader: bytes to lines, typefaces and ruby (fuzz/ReaderFuzzer.cpp)
#   prose    the Aozora Bunko notation reader: bytes decoded and read into paragraphs, its
#            promises checked (ProseFuzzer.cpp, ProseInvariants.h); its seeds are texts in
#            fuzz/corpus/prose, its dictionary fuzz/prose.dict
#   open     the whole headless open: reading, layout and adding to the list (OpenFuzzer.cpp)
#   render   the opened document drawn into an offscreen image, both styles (RenderFuzzer.cpp)
#   window   sequences of what users do in the main window, its invariants checked after
#            every step (WindowFuzzer.cpp, WindowSequence.h); its seeds are step sequences in
#            fuzz/corpus/window, and it prints the steps it ran at exit
#
# and, not a libFuzzer target but built alike:
#
#   sequences  long pseudo-random sequences of steps on the main window, with the same checks
#              (WindowSequenceRunner.cpp): scripts/fuzz.sh -t sequences SECONDS [--seed FIRST]
#              [--steps STEPS]; a failing sequence is saved as fuzz/findings/window-sequence-SEED
#
#   scripts/fuzz.sh [-t TARGET] [SECONDS] [LIBFUZZER-FLAG...]   fuzz TARGET (default reader, or
#                                                             all: each in turn) for SECONDS
#                                                             each (default 600)
#   scripts/fuzz.sh [-t TARGET] --replay [FILE...]            run each seed and regression, or
#                                                             each FILE, once
#   scripts/fuzz.sh [-t TARGET] --merge                       add what the runs found to the
#                                                             seed corpus
#
# Inputs are up to 40,000 bytes, so that files over the reader's size limit are covered; an
# input that takes more than 2 seconds or more than 1 GB is a failure like a crash. Fuzzing
# starts from the seeds in fuzz/corpus/reader (every file target reads a file's bytes) and the
# bundled samples, the window's from its step sequences in fuzz/corpus/window; the inputs
# worth keeping collect in fuzz/findings/corpus-TARGET, and an input that fails is saved as
# fuzz/findings/TARGET-crash-* (or leak-, timeout-, oom-).
# fuzz/findings/ is not committed: copy a finding into fuzz/regressions/TARGET, where every
# test run replays it, and mend the fault. Extra flags go to libFuzzer as they are, for example
# -jobs=2 -workers=2 to use both cores. The exit status is that of the first failing target.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh

targets=(reader)
if [ "${1:-}" = "-t" ]; then
  case "${2:-}" in
    reader | open | render | window | prose) targets=("$2") ;;
    sequences)
      shift 2
      cmake --preset fuzz >/dev/null
      cmake --build --preset fuzz -j "$(nproc)" --target tavelo_window_sequences
      seconds="${1:-600}"
      shift || true
      mkdir -p "$root/fuzz/findings"
      cd "$root/fuzz/findings"
      export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=8}"
      export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
      exec "$root/build/fuzz/fuzz/tavelo_window_sequences" --seconds "$seconds" "$@"
      ;;
    all) targets=(reader open render window prose) ;;
    *)
      echo "scripts/fuzz.sh: TARGET is reader, open, render, window, prose, all or sequences, not '${2:-}'" >&2
      exit 2
      ;;
  esac
  shift 2
fi

seeds_of() {
  case "$1" in
    window | prose) echo "$root/fuzz/corpus/$1" ;;
    *) echo "$root/fuzz/corpus/reader" ;;
  esac
}
findings="$root/fuzz/findings"
# Above the largest buffer the reader walks (32,768 bytes), so that the size limits stay reachable.
max_len=40000

cmake --preset fuzz >/dev/null
build=()
for target in "${targets[@]}"; do build+=(--target "tavelo_fuzz_$target"); done
cmake --build --preset fuzz -j "$(nproc)" "${build[@]}"
mkdir -p "$findings"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Every run allocates the reader's tables afresh; a smaller quarantine lets freed memory come
# back sooner and doubles the runs per second, while use after free within a run still shows.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16}"
# The render target draws with Qt, which needs no screen on its offscreen platform.
export QT_QPA_PLATFORM=offscreen

fuzzer_of() { echo "$root/build/fuzz/fuzz/tavelo_fuzz_$1"; }
regressions_of() { echo "$root/fuzz/regressions/$1"; }

case "${1:-}" in
  --replay)
    shift
    status=0
    for target in "${targets[@]}"; do
      inputs=("$@")
      if [ ${#inputs[@]} -eq 0 ]; then
        inputs=("$(seeds_of "$target")")
        if [ -d "$(regressions_of "$target")" ]; then inputs+=("$(regressions_of "$target")"); fi
      fi
      "$(fuzzer_of "$target")" -runs=0 -max_len="$max_len" "${inputs[@]}" || status=$?
    done
    exit "$status"
    ;;
  --merge)
    # Keeps only the inputs that add coverage to what the seeds already reach.
    for target in "${targets[@]}"; do
      mkdir -p "$findings/corpus-$target"
      "$(fuzzer_of "$target")" -merge=1 -max_len="$max_len" "$(seeds_of "$target")" \
        "$findings/corpus-$target"
    done
    exit 0
    ;;
  -*)
    echo "usage: scripts/fuzz.sh [-t reader|open|render|window|prose|all] [SECONDS] [LIBFUZZER-FLAG...]" \
      "| --replay [FILE...] | --merge" >&2
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

status=0
for target in "${targets[@]}"; do
  work="$findings/corpus-$target"
  mkdir -p "$work"
  echo "== fuzzing $target for $seconds s"
  # From inside the findings, where libFuzzer also leaves the logs of -jobs.
  # The file targets start from the reader's seeds and the samples with the reader's
  # dictionary; the window's inputs are steps, not files, of up to 200 steps.
  starts=("$(seeds_of "$target")" "$root/samples")
  dict=(-dict="$root/fuzz/reader.dict")
  len=$max_len
  if [ "$target" = window ]; then
    starts=("$(seeds_of "$target")")
    dict=()
    len=400
  fi
  if [ "$target" = prose ]; then
    starts=("$(seeds_of "$target")" "$root/samples/aozora")
    dict=(-dict="$root/fuzz/prose.dict")
    # Notation lives within a line or a few: short inputs run ten times as often.
    len=8192
  fi
  (cd "$findings" && "$(fuzzer_of "$target")" -max_total_time="$seconds" -max_len="$len" \
    -timeout=2 -rss_limit_mb=1024 "${dict[@]}" \
    -artifact_prefix="$findings/$target-" -print_final_stats=1 "$@" \
    "$work" "${starts[@]}") || {
    code=$?
    echo "== $target failed (status $code); the input is in $findings" >&2
    if [ "$status" -eq 0 ]; then status=$code; fi
  }
done
exit "$status"
