#!/bin/sh
# Builds the Debian packages rara3 and rara3-tools from the source tree with
# dpkg-buildpackage, in a copy of the tree under OUT (never in the tree
# itself: dpkg-buildpackage writes its results beside the folder it builds).
# The copy holds the files git knows (committed or not, ignored ones left
# out), so local changes are built too. SOURCE_DATE_EPOCH is the last
# commit's time (the changelog's date without git): the same commit gives
# the same packages, wherever and whenever it is built.
#
# Usage: build_deb.sh SOURCE_DIR OUT
# Leaves the .deb files, .buildinfo and .changes in OUT and the build log in
# OUT/build.log.
set -eu
src=$(realpath "$1")
out=$(realpath -m "$2")
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
tree="$out/src/rara3-$version"
rm -rf "$out/src"
rm -f "$out"/*.deb "$out"/*.buildinfo "$out"/*.changes
mkdir -p "$tree"
if git -C "$src" rev-parse --git-dir >/dev/null 2>&1; then
  # Files deleted but not yet committed are still listed: skipped.
  (cd "$src" && git ls-files -z --cached --others --exclude-standard |
     tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$tree"
  SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct)}
else
  (cd "$src" && tar --exclude='./build*' --exclude='./obj-*' --exclude='./*.deb' -cf - .) |
    tar -xf - -C "$tree"
  SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$src/debian/changelog" -S Timestamp)}
fi
export SOURCE_DATE_EPOCH
# Files installed straight from the tree keep their time in the package:
# every file of the copy gets the release's time, whatever the checkout's.
find "$tree" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
cd "$tree"
if ! dpkg-buildpackage -us -uc -b -J"${JOBS:-auto}" >"$out/build.log" 2>&1; then
  tail -n 40 "$out/build.log"
  echo "build_deb.sh: dpkg-buildpackage failed; the whole log: $out/build.log" >&2
  exit 1
fi
find "$out/src" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.buildinfo' -o -name '*.changes' \) \
  -exec mv -t "$out" {} +
rm -rf "$out/src"
ls "$out"/*.deb
