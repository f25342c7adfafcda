#!/usr/bin/env bash
# Writes what the command line makes of every sample and fuzz seed (--dump-json, and --render in
# both styles at several positions) into a folder, one file per run plus its exit status and
# messages, so that two builds can be compared byte for byte:
#
#   scripts/snapshot-outputs.sh PROGRAM OUTDIR
#   diff -r OUTDIR-before OUTDIR-after && echo identical
set -euo pipefail
program=$1
out=$2
cd "$(dirname "$0")/.."
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
runs=0
for file in samples/*.tl2 fuzz/corpus/reader/*; do
  name=$(basename "$file")
  status=0
  "$program" --dump-json "$file" >"$out/$name.json" 2>"$out/$name.json.err" || status=$?
  echo "$status" >"$out/$name.json.status"
  runs=$((runs + 1))
  for style in small large; do
    for position in 0 1 2 7 30; do
      base="$out/$name.$style.$position"
      status=0
      "$program" --render "$file" --out "$base.png" --style "$style" --position "$position" \
        --search の >"$base.out" 2>"$base.err" || status=$?
      echo "$status" >"$base.status"
      runs=$((runs + 1))
    done
  done
done
echo "$runs runs written to $out"
