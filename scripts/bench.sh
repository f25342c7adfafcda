#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them offscreen: reading, layout, opening and
# redrawing of the largest and a typical document, the plain per-character drawing in the same
# run, and a closing table of the figures, the ratios and the targets.
#
#   scripts/bench.sh [BENCHMARK-FLAG...]    e.g. --benchmark_filter=Redraw/full
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target tavelo_bench
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 exec build/release/bench/tavelo_bench "$@"
