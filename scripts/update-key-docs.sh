#!/bin/sh
# Writes the viewer's keys, as kovtool prints them from the one binding table, into
# the manual page and the user guide between their marker lines. The core test
# KeyHelp.ManualPageAndGuideHoldTheGeneratedKeys fails until this has been run after
# a change to the table.
#   scripts/update-key-docs.sh [path/to/kovtool]
set -eu
kovtool=${1:-build/kovtool}
root=$(cd "$(dirname "$0")/.." && pwd)

# file, begin marker, end marker, kovtool form
splice() {
  generated=$(mktemp)
  "$kovtool" keys "$4" > "$generated"
  BEGIN="$2" END="$3" GENERATED="$generated" awk '
    $0 == ENVIRON["BEGIN"] { print; while ((getline line < ENVIRON["GENERATED"]) > 0) print line; skip = 1; next }
    $0 == ENVIRON["END"] { skip = 0 }
    !skip { print }' "$1" > "$1.tmp"
  mv "$1.tmp" "$1"
  rm -f "$generated"
}

splice "$root/docs/man/kov.1" '.\" The keys below are written by scripts/update-key-docs.sh.' '.\" End of the keys.' man
splice "$root/docs/USING.md" '<!-- The keys below are written by scripts/update-key-docs.sh. -->' '<!-- End of the keys. -->' markdown
