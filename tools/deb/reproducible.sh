#!/bin/sh
# Builds the Debian packages twice from the same tree, in two folders of
# different names and depths and at different times, and compares them byte
# for byte. Exit 0 when every .deb is the same, 1 otherwise (with the
# differing files' contents listed, or diffoscope's report when installed).
#
# Usage: reproducible.sh SOURCE_DIR OUT
set -eu
here=$(dirname "$(realpath "$0")")
src=$(realpath "$1")
out=$(realpath -m "$2")
rm -rf "$out"
first="$out/first"
second="$out/later/in/another/folder"
"$here/build_deb.sh" "$src" "$first" >/dev/null
sleep 2
"$here/build_deb.sh" "$src" "$second" >/dev/null
status=0
for deb in "$first"/*.deb; do
  name=$(basename "$deb")
  if cmp -s "$deb" "$second/$name"; then
    echo "same: $name ($(stat -c %s "$deb") bytes, sha256 $(sha256sum "$deb" | cut -c1-16)...)"
  else
    status=1
    echo "DIFFERENT: $name"
    if command -v diffoscope >/dev/null; then
      diffoscope "$deb" "$second/$name" | head -n 80
    else
      for d in "$deb" "$second/$name"; do dpkg-deb -c "$d" >"$d.list"; done
      diff "$deb.list" "$second/$name.list" | head -n 40
    fi
  fi
done
[ -n "$(ls "$first"/*.deb 2>/dev/null)" ] || { echo "no packages were built"; exit 1; }
exit $status
