#!/bin/sh
# Checks the manual page against the program: every option `tavelo --help` lists is
# described in it, and groff formats it without a warning (that part skipped when groff is
# not installed).
set -eu
program=$1
page=$2
missing=0
options=$("$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "tavelo --help lists no options"; exit 1; }
for option in $options; do
  # troff writes the dashes of an option as \-\-.
  escaped=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
  if ! grep -q -- "^\.B[IR]* .*$escaped\b" "$page"; then
    echo "the manual page does not describe $option"
    missing=1
  fi
done
[ "$missing" -eq 0 ]
for status in 0 1 2; do
  grep -q "^\.B $status\$" "$page" || { echo "exit status $status is not described"; exit 1; }
done
if command -v groff >/dev/null 2>&1; then
  warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then
    echo "$warnings"
    exit 1
  fi
else
  echo "groff is not installed: its check skipped"
fi
echo "$page: describes $(echo "$options" | wc -l) options"
