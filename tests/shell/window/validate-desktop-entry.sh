#!/bin/sh
# Validates the desktop entry; skipped (77) when desktop-file-utils is not installed.
set -eu
entry=$1
if ! command -v desktop-file-validate >/dev/null 2>&1; then
  echo "desktop-file-validate is not installed: skipped"
  exit 77
fi
# It prints hints and warnings without failing; treat anything it says as a failure.
output=$(desktop-file-validate "$entry" 2>&1) || { echo "$output"; exit 1; }
if [ -n "$output" ]; then
  echo "$output"
  exit 1
fi
echo "$entry: valid"
