#!/usr/bin/env bash
# Brings translations/tarvik_en.ts up to the texts in the sources (new texts
# arrive unfinished, texts no longer in the code are dropped). With --check,
# changes nothing and fails when the catalogue is not up to date or holds an
# untranslated text.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
ts=translations/tarvik_en.ts
mapfile -t opts <translations/lupdate-options
if [ "${1:-}" = --check ]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  cp "$ts" "$tmp/tarvik_en.ts"
  "$lupdate" -silent "${opts[@]}" src/core src/ui -ts "$tmp/tarvik_en.ts"
  if ! diff -u "$ts" "$tmp/tarvik_en.ts" >"$tmp/diff"; then
    echo "translations/tarvik_en.ts is not up to date with the sources (run scripts/update-translations.sh):"
    grep '^[-+] *<source>' "$tmp/diff" | head -40
    exit 1
  fi
  if grep -n 'type="unfinished"\|type="vanished"\|type="obsolete"' "$ts" | head -20 | grep .; then
    echo "translations/tarvik_en.ts holds texts without a finished translation (above)"
    exit 1
  fi
  echo "translations/tarvik_en.ts: up to date, every text translated"
  exit 0
fi
"$lupdate" "${opts[@]}" src/core src/ui -ts "$ts"
