#!/bin/bash
# rara3-pack from the command line: pack, unpack, pack again gives the same
# data file; --keep-player-data keeps progress and edited stages; bad input
# is refused with a message and a non-zero status, writing nothing.
# Usage: pack_cli_test.sh RARA3_PACK SOURCE_DIR
set -u
pack=$1
src=$2
. "$(dirname "$0")/../../support/cli_check.sh"

size_of() { stat -c %s "$1"; }

# Sound files of the exact sizes, starting like the real kinds.
sizes=(7506 172610 92374 55632 92224 162882 40194 44852 40054 308934)
mkdir -p "$work/sound"
printf 'MThd' > "$work/sound/tune.mid"
truncate -s 10930 "$work/sound/tune.mid"
for i in $(seq 0 9); do
  printf 'RIFF\0\0\0\0WAVE' > "$work/sound/sfx$i.wav"
  truncate -s "${sizes[$i]}" "$work/sound/sfx$i.wav"
done
cp -r "$src/assets/stages" "$work/stages"

"$pack" --help | grep -q -- "--keep-player-data" || fail "--help does not describe --keep-player-data"

# Pack, unpack, pack again.
"$pack" pack "$work/stages" "$work/sound/tune.mid" "$work/sound" 1 "$work/A.DAT" ||
  fail "pack of the shipped stages failed"
[ "$(size_of "$work/A.DAT")" = 1068193 ] || fail "A.DAT is not 1068193 bytes"
"$pack" unpack "$work/A.DAT" "$work/out" || fail "unpack failed"
for f in tune.mid sfx0.wav sfx9.wav; do
  cmp -s "$work/sound/$f" "$work/out/sound/$f" || fail "unpacked $f differs"
done
[ "$(cat "$work/out/progress.txt")" = 1 ] || fail "progress.txt is not 1"
"$pack" pack "$work/out/stages" "$work/out/sound/tune.mid" "$work/out/sound" \
  "$(cat "$work/out/progress.txt")" "$work/B.DAT" || fail "pack of the unpacked files failed"
cmp -s "$work/A.DAT" "$work/B.DAT" || fail "pack, unpack, pack gives another data file"
"$pack" unpack "$work/B.DAT" "$work/out2" && diff -r "$work/out" "$work/out2" >/dev/null ||
  fail "unpacking the repacked file gives other files"
ls "$work" | grep -q '\.tmp' && fail "a temporary file was left behind"

# The player's part survives a rebuild with --keep-player-data.
put_byte "$work/A.DAT" 40000 42
put_byte "$work/A.DAT" $((2 * 400 + 21)) 8
printf 'RIFF\0\0\0\0WAVEnew' | dd of="$work/sound/sfx0.wav" conv=notrunc status=none
"$pack" pack --keep-player-data "$work/stages" "$work/sound/tune.mid" "$work/sound" 1 \
  "$work/A.DAT" >/dev/null || fail "pack --keep-player-data failed"
[ "$(byte_at "$work/A.DAT" 40000)" = 42 ] || fail "--keep-player-data lost the progress byte"
[ "$(byte_at "$work/A.DAT" $((2 * 400 + 21)))" = 8 ] || fail "--keep-player-data lost an edited stage"
[ "$(byte_at "$work/A.DAT" $((50931 + 12)))" = 110 ] || fail "--keep-player-data did not refresh the effects"
"$pack" pack "$work/stages" "$work/sound/tune.mid" "$work/sound" 1 "$work/A.DAT" ||
  fail "plain pack over an existing file failed"
[ "$(byte_at "$work/A.DAT" 40000)" = 1 ] || fail "a plain pack kept the old progress byte"

# --keep-player-data without a file, and with a damaged one.
"$pack" pack --keep-player-data "$work/stages" "$work/sound/tune.mid" "$work/sound" 3 \
  "$work/C.DAT" || fail "pack --keep-player-data without an old file failed"
[ "$(byte_at "$work/C.DAT" 40000)" = 3 ] || fail "a fresh pack did not take the progress given"
head -c 1000 "$work/A.DAT" > "$work/D.DAT"
"$pack" pack --keep-player-data "$work/stages" "$work/sound/tune.mid" "$work/sound" 1 \
  "$work/D.DAT" 2>"$work/err" || fail "pack over a damaged file failed"
[ "$(size_of "$work/D.DAT")" = 1068193 ] || fail "the damaged file was not replaced"
[ "$(size_of "$work/D.DAT.damaged")" = 1000 ] || fail "the damaged file was not kept aside"
grep -q "D.DAT.damaged" "$work/err" || fail "the damaged file was not reported"

# Refusals: status 1, a message naming the problem, the old output intact.
cp "$work/A.DAT" "$work/keep.DAT"
sed -i '5s/^#./#x/' "$work/stages/042.txt"
"$pack" pack "$work/stages" "$work/sound/tune.mid" "$work/sound" 1 "$work/A.DAT" 2>"$work/err"
[ $? = 1 ] || fail "a bad stage character was not refused with status 1"
grep -q "042.txt:5:2: unknown cell character 'x'" "$work/err" || fail "bad character message: $(cat "$work/err")"
cp "$src/assets/stages/042.txt" "$work/stages/042.txt"
truncate -s 55000 "$work/sound/sfx3.wav"
"$pack" pack "$work/stages" "$work/sound/tune.mid" "$work/sound" 1 "$work/A.DAT" 2>"$work/err"
[ $? = 1 ] || fail "a wrong effect size was not refused with status 1"
grep -q "sfx3.wav: expected 55632 bytes (the size of effect 3), found 55000" "$work/err" ||
  fail "wrong size message: $(cat "$work/err")"
cmp -s "$work/A.DAT" "$work/keep.DAT" || fail "a refused pack changed the output"
"$pack" pack "$work/stages" 2>/dev/null
[ $? = 2 ] || fail "wrong usage did not give status 2"
"$pack" unpack "$work/D.DAT.damaged" "$work/bad" 2>"$work/err"
[ $? = 1 ] && grep -q "expected 1068193 bytes" "$work/err" || fail "unpack of a short file not refused"

# Unpacking a cell value the stage files cannot show.
put_byte "$work/keep.DAT" 0 200
"$pack" unpack "$work/keep.DAT" "$work/odd" 2>"$work/err" || fail "unpack with an odd cell failed"
[ "$(head -c 1 "$work/odd/stages/001.txt")" = "?" ] || fail "an odd cell was not written as ?"
grep -q "written as '?'" "$work/err" || fail "an odd cell was not reported"

# A file-size limit (ulimit -f, in blocks of 1024 bytes): the write fails
# with a message, not the signal (status 153), the old file stays whole and
# no temporary file is left.
cp "$work/A.DAT" "$work/L.DAT"
( ulimit -f 512; "$pack" pack "$work/out/stages" "$work/out/sound/tune.mid" "$work/out/sound" 2 "$work/L.DAT" ) \
  2>"$work/limit.err"
status=$?
[ $status = 1 ] || fail "pack under a size limit: status $status, expected 1"
grep -q "too large" "$work/limit.err" || fail "pack under a size limit says: $(cat "$work/limit.err")"
cmp -s "$work/A.DAT" "$work/L.DAT" || fail "pack under a size limit changed the old file"
[ ! -e "$work/L.DAT.tmp" ] || fail "pack under a size limit left L.DAT.tmp"

[ $failures = 0 ] && echo "rara3-pack: all checks passed"
exit $((failures > 0))
