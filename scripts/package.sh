#!/usr/bin/env bash
# Builds the Debian package of Tavelo with CPack, from an optimised build linked with
# Debian's hardening flags, and checks it with lintian when lintian is installed.
#
#   scripts/package.sh [BUILD-DIR]      (default build/package)
#
# Prints the path of the .deb on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=${1:-build/package}
# The objects are compiled as in a plain Release build, whose objects ccache then shares;
# the program is linked with Debian's hardening LDFLAGS (-z relro -z now: every symbol bound
# at start, then the relocated data made read-only).
ldflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVELO_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS= -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/packages/tavelo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/packages/tavelo_*.deb)

if command -v lintian >/dev/null 2>&1; then
  echo "== lintian"
  lintian --info --display-info --pedantic "$deb"
fi
echo "$deb"
