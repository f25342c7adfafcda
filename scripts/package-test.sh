#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine with apt-get, runs the installed
# program, and removes the package again, checking that nothing of it is left in /usr.
# Needs root (it installs system-wide); not part of CI.
#
#   scripts/package-test.sh [BUILD-DIR]      (default build/package)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  echo "package-test.sh installs the package system-wide: run it as root" >&2
  exit 1
fi
if [ "$(dpkg-query -W -f='${Status}' tavelo 2>/dev/null)" = "install ok installed" ]; then
  echo "tavelo is already installed: remove it first (apt-get purge tavelo)" >&2
  exit 1
fi

deb=$(scripts/package.sh "$@" | tee /dev/stderr | tail -n 1)
listing=$(mktemp)
trap 'rm -f "$listing"' EXIT
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./usr/|/usr/|p' | grep -v '/$' >"$listing"

echo "== install $deb"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$deb" >/dev/null
fail=0
check() {
  if "$@"; then echo "ok: $*"; else echo "FAILED: $*"; fail=1; fi
}

version=$(/usr/bin/tavelo --version)
check test "$version" = "Tavelo $(sed -n 's/^project(Tavelo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
json=$(mktemp)
check sh -c "QT_QPA_PLATFORM=offscreen /usr/bin/tavelo --dump-json samples/kumo-no-ito.tl2 >'$json'"
check grep -q '"error": *null' "$json"
check grep -q '"lines"' "$json"
rm -f "$json"
check test "$(man -w tavelo)" = /usr/share/man/man1/tavelo.1.gz
check sh -c "MANPAGER=cat MANWIDTH=80 man tavelo 2>/dev/null | grep -q -e '--dump-json'"
check desktop-file-validate /usr/share/applications/tavelo.desktop
check test -f /usr/share/doc/tavelo/copyright
while read -r file; do
  [ -e "$file" ] || { echo "FAILED: $file is not installed"; fail=1; }
done <"$listing"

echo "== purge"
apt-get purge -y -qq tavelo >/dev/null
left=0
while read -r file; do
  if [ -e "$file" ]; then echo "FAILED: $file is left after the purge"; left=1; fi
done <"$listing"
for dir in /usr/share/tavelo /usr/share/doc/tavelo; do
  if [ -e "$dir" ]; then echo "FAILED: $dir is left after the purge"; left=1; fi
done
[ "$left" -eq 0 ] && echo "ok: nothing of the package is left in /usr"
[ "$fail" -eq 0 ] && [ "$left" -eq 0 ] && echo "package test passed"
exit $((fail | left))
