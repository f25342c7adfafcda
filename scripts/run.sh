#!/usr/bin/env bash
# Installs what is missing, builds Tavelo and opens the bundled sample in its window. On a
# machine without a display it draws the sample's view into a PNG instead and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target tavelo
program=build/release/src/shell/tavelo
sample=samples/wagahai.tl2

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "$sample"
fi
out="${TMPDIR:-/tmp}/tavelo-sample.png"
"$program" --render "$sample" --out "$out"
echo "There is no display here: the view of $sample was drawn into $out"
