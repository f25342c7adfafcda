#!/usr/bin/env bash
# Builds the Debian package of Tavelo with CPack, from an optimised build with Debian's
# hardening flags, and checks it with lintian when lintian is installed.
#
#   scripts/package.sh [BUILD-DIR]      (default build/package)
#
# Prints the path of the .deb on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=${1:-build/package}
# Debian's flags (fortify, stack protector, relro, now); no debug information, since the
# package is stripped.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cxxflags=$(echo "$cxxflags" | sed 's/\(^\| \)-g\( \|$\)/ /')
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVELO_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/packages/tavelo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/packages/tavelo_*.deb)

if command -v lintian >/dev/null 2>&1; then
  echo "== lintian"
  lintian --info --display-info --pedantic "$deb"
fi
echo "$deb"
