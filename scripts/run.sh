#!/usr/bin/env bash
# Installs what is missing, builds Tavelo and shows the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target tavelo
build/release/src/shell/tavelo --dump-json samples/wagahai.tl2
