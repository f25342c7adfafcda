#!/bin/sh
# Checks the shared-mime-info package: well-formed XML (against the schema where one is
# installed), accepted by update-mime-database with the glob *.tl2, and the type the desktop
# entry announces. Skipped (77) when xmllint is not installed.
set -eu
mime=$1
entry=$2
if ! command -v xmllint >/dev/null 2>&1; then
  echo "xmllint is not installed: skipped"
  exit 77
fi
xmllint --noout "$mime"

for schema in /usr/share/xml/shared-mime-info/shared-mime-info.xsd \
              /usr/share/shared-mime-info/shared-mime-info.xsd; do
  if [ -f "$schema" ]; then
    xmllint --noout --schema "$schema" "$mime"
  fi
done

type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
if [ "$type" != "application/x-tl2" ]; then
  echo "unexpected MIME type '$type'"
  exit 1
fi
if ! grep -qx "MimeType=$type;" "$entry"; then
  echo "the desktop entry does not announce $type"
  exit 1
fi

if command -v update-mime-database >/dev/null 2>&1; then
  database=$(mktemp -d)
  trap 'rm -rf "$database"' EXIT
  mkdir "$database/packages"
  cp "$mime" "$database/packages/tavelo.xml"
  PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "$database" >/dev/null 2>&1
  if ! grep -q "^[0-9]*:$type:\*\.tl2$" "$database/globs2"; then
    echo "update-mime-database did not record *.tl2 for $type"
    cat "$database/globs2"
    exit 1
  fi
  grep -q 'xml:lang="ja"' "$database/application/x-tl2.xml" || {
    echo "the Japanese comment is missing from the compiled type"
    exit 1
  }
else
  echo "update-mime-database is not installed: its check skipped"
fi
echo "$mime: valid"
