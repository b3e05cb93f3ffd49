#!/bin/sh
# Writes the licence texts of what the site ships into one file.
# Usage: licences.sh OUT FILE...
set -eu
out=$1
shift
for f in "$@"; do
  printf '==== %s/%s\n\n' "$(basename "$(dirname "$f")")" "$(basename "$f")"
  cat "$f"
  printf '\n'
done > "$out"
