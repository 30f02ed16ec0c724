#!/usr/bin/env bash
# Brings translations/*.ts up to date with the texts marked in the sources (ui::text, UI_TEXT, tr):
# new texts appear unfinished for a translator, texts gone from the code are dropped.
# With --check, the tree is left alone and the script fails when a text is new or unfinished.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lupdate="$(command -v lupdate6 || true)"
[ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
sources=(app audio edit midi model musicxml numeric output platform render)
run_lupdate() {  # TS-FILE
  (cd "$here" && "$lupdate" -silent -locations none -no-obsolete \
      -tr-function-alias translate+=text,translate+=qtext,QT_TRANSLATE_NOOP+=UI_TEXT "${sources[@]}" -ts "$1" 2>/dev/null)
}
if [ "${1:-}" != "--check" ]; then
  for ts in "$here"/translations/*.ts; do run_lupdate "$ts"; done
  exit 0
fi
status=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for ts in "$here"/translations/*.ts; do
  cp "$ts" "$work/current.ts"
  run_lupdate "$work/current.ts"
  if ! cmp -s "$ts" "$work/current.ts"; then
    echo "$(basename "$ts") is not up to date with the sources (run scripts/update-translations.sh):"
    diff "$ts" "$work/current.ts" | grep '^[<>].*<source>' | head -40 || true
    status=1
  fi
  unfinished=$(grep -c 'type="unfinished"' "$work/current.ts" || true)
  if [ "$unfinished" -ne 0 ]; then
    echo "$(basename "$ts"): $unfinished texts without a finished translation:"
    grep -B2 'type="unfinished"' "$work/current.ts" | grep '<source>' | head -40
    status=1
  fi
done
exit $status
