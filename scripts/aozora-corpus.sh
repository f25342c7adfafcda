#!/usr/bin/env bash
# Reads every .txt and .zip under FOLDER (for example a checkout of Aozora Bunko's texts) with
# the notation reader, optimised, and prints the files read, the files that failed or crashed
# the reader, the notes it did not understand counted per pattern (quoted text as 「…」, counts
# as N) with an example each, and the gaiji it mapped and could not map.
#
#   scripts/aozora-corpus.sh FOLDER [--top N]
#
# A file that crashes the reader is reported, and the survey is read again without it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || [ ! -d "$1" ]; then
  echo "usage: scripts/aozora-corpus.sh FOLDER [--top N]" >&2
  exit 2
fi
folder=$1
shift
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target tavelo_prose_survey
survey=build/release/bench/tavelo_prose_survey

crashes=()
skips=()
while true; do
  status=0
  output=$("$survey" "${skips[@]}" "$@" "$folder") || status=$?
  if [ "$status" -eq 70 ]; then
    # Read again without the file that crashed, so that the counts cover every other file.
    crashed=$(printf '%s\n' "$output" | sed -n 's/^crashed: //p' | tail -n 1)
    crashes+=("$crashed")
    skips+=(--skip "$crashed")
    continue
  fi
  printf '%s\n' "$output"
  break
done
echo "crashes: ${#crashes[@]}"
for file in "${crashes[@]}"; do echo "  crashed: $file"; done
if [ ${#crashes[@]} -gt 0 ]; then exit 1; fi
