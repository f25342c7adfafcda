#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite in each preset given
# (default: release-tests, fuzz, asan; CI runs the default, within 30 minutes on two cores).
#
#   dev            the plain debug build (what a developer builds; the asan preset runs the
#                  same debug suite under the sanitizers, so the default leaves it out)
#   release-tests  the suite in an optimised build, which the optimiser's view of the code
#                  (warnings, undefined behaviour it exploits, template instantiation) can break
#   fuzz           the libFuzzer targets (clang), each replaying its seeds and regressions once, then
#                  each fuzzed for TAVELO_FUZZ_SECONDS (default 15; 0 skips the fuzzing)
#   asan           the plain suite again under AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
presets=("$@")
if [ ${#presets[@]} -eq 0 ]; then presets=(release-tests fuzz asan); fi
for preset in "${presets[@]}"; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
  if [ "$preset" = fuzz ] && [ "${TAVELO_FUZZ_SECONDS:-15}" -gt 0 ]; then
    scripts/fuzz.sh -t all "${TAVELO_FUZZ_SECONDS:-15}"
  fi
done
