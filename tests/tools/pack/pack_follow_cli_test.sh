#!/bin/bash
# A rebuild of the build folder's data file after a new stage set: with
# --keep-player-data the progress and the stages the player edited stay,
# every other stage becomes the new one, and OUT.shipped records the data it
# was made from.
# Usage: pack_follow_cli_test.sh RARA3_PACK SOURCE_DIR
set -u
pack=$1
src=$2
. "$(dirname "$0")/../../support/cli_check.sh"

keep_pack() {
  "$pack" pack --keep-player-data "$work/stages" "$src/assets/sound/tune.mid" "$src/assets/sound" 1 \
    "$work/TOVAK.DAT" >"$work/out" 2>&1 || fail "pack --keep-player-data failed: $(cat "$work/out")"
}
# Cell (1, 1) of stage s, and the same cell in stage s's source file.
cell() { byte_at "$work/TOVAK.DAT" $((($1 - 1) * 400 + 21)); }
set_source_cell() {
  awk -v c="$2" '!/^;/ && ++row == 2 { $0 = substr($0, 1, 1) c substr($0, 3) } { print }' \
    "$work/stages/$1.txt" >"$work/stage.txt" && mv "$work/stage.txt" "$work/stages/$1.txt"
}

cp -r "$src/assets/stages" "$work/stages"
keep_pack
cmp -s "$work/TOVAK.DAT" "$work/TOVAK.DAT.shipped" || fail "a first pack did not record what it was made from"

# The player clears some stages and edits stage 3 in the editor.
put_byte "$work/TOVAK.DAT" 40000 17
put_byte "$work/TOVAK.DAT" $((2 * 400 + 21)) 8
# A new stage set changes stages 3 and 5.
set_source_cell 003 C
set_source_cell 005 V
keep_pack
[ "$(byte_at "$work/TOVAK.DAT" 40000)" = 17 ] || fail "the progress was not kept"
[ "$(cell 3)" = 8 ] || fail "the edited stage 3 was not kept: $(cell 3)"
[ "$(cell 5)" = 3 ] || fail "the unedited stage 5 did not become the new one: $(cell 5)"
grep -q "kept its progress (17) and its stages 003$" "$work/out" || fail "report: $(cat "$work/out")"
[ "$(byte_at "$work/TOVAK.DAT.shipped" $((4 * 400 + 21)))" = 3 ] ||
  fail "the record was not brought up to date"

# A data file without a record (an older build folder) keeps every stage
# that differs, and says how to take the new ones.
rm "$work/TOVAK.DAT.shipped"
set_source_cell 005 T
keep_pack
[ "$(cell 5)" = 3 ] || fail "without a record a differing stage was replaced"
grep -q "with no record of the data" "$work/out" || fail "no word about the missing record: $(cat "$work/out")"
[ -f "$work/TOVAK.DAT.shipped" ] || fail "no record written"

[ $failures = 0 ] && echo "rara3-pack --keep-player-data: all checks passed"
exit $((failures > 0))
