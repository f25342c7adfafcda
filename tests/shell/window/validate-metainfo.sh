#!/bin/sh
# Checks the AppStream metainfo: valid for appstreamcli (pedantic hints included), launching
# the desktop entry it sits beside, and announcing the project's version as its newest
# release. Skipped (77) when appstream is not installed.
set -eu
metainfo=$1
entry=$2
version=$3
if ! command -v appstreamcli >/dev/null 2>&1; then
  echo "appstreamcli is not installed: skipped"
  exit 77
fi
appstreamcli validate --no-net --pedantic "$metainfo"

launchable=$(sed -n 's/.*<launchable type="desktop-id">\([^<]*\)<.*/\1/p' "$metainfo")
if [ "$launchable" != "$(basename "$entry")" ]; then
  echo "the metainfo launches '$launchable', not $(basename "$entry")"
  exit 1
fi
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
if [ "$newest" != "$version" ]; then
  echo "the newest release in the metainfo is '$newest', the project is $version"
  exit 1
fi
id=$(sed -n 's/.*<id>\([^<]*\)<.*/\1/p' "$metainfo")
if [ "$(basename "$metainfo")" != "$id.metainfo.xml" ]; then
  echo "the metainfo of $id is named $(basename "$metainfo")"
  exit 1
fi
echo "$metainfo: valid"
