#!/bin/bash
# The Debian package, end to end: built from the source tree by
# dpkg-buildpackage (tools/deb/build_deb.sh, as make deb does), unpacked
# into a scratch root, its files and metadata checked by Debian's own
# validators, and the installed game played under Xvfb by an unprivileged
# user whose program folder is read-only: stage 1 cleared with the keyboard,
# the progress and the replay found in the per-user folder, and found again
# by a second start.
#   package_test.sh BINARY_DIR SOURCE_DIR RARA3_SIM VERSION
# Exit 0 passed, 1 failed, 77 skipped (no X server can be started here).
set -u

BIN=$1
SRC=$2
SIM=$3
VERSION=$4

WORK=$(mktemp -d /tmp/rara3-package.XXXXXX)
chmod 755 "$WORK"
PIDS=()
failed=0

cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  chmod -R u+w "$WORK" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failed=1; }
die() { echo "FAIL: $*"; exit 1; }
pass() { echo "ok: $*"; }

for tool in dpkg-buildpackage dh dpkg-deb desktop-file-validate appstreamcli lintian Xvfb xdotool \
            matchbox-window-manager wmctrl import compare convert identify setpriv; do
  command -v "$tool" >/dev/null || die "$tool is missing (make test installs it)"
done

# --- The package ---
# RARA3_DEB_DIR: the packages of a build_deb.sh run of the same tree (make
# deb leaves them in build-deb/packages), to test them without building
# them again.
if [ -n "${RARA3_DEB_DIR:-}" ]; then
  mkdir -p "$WORK/pkg" && cp "$RARA3_DEB_DIR"/*.deb "$RARA3_DEB_DIR"/build.log "$WORK/pkg/" ||
    die "RARA3_DEB_DIR=$RARA3_DEB_DIR holds no packages and build.log"
else
  "$SRC/tools/deb/build_deb.sh" "$SRC" "$WORK/pkg" >"$WORK/deb.log" 2>&1 ||
    die "the package build failed: $(tail -40 "$WORK/deb.log")"
fi
DEB="$WORK/pkg/rara3_${VERSION}_amd64.deb"
TOOLS_DEB="$WORK/pkg/rara3-tools_${VERSION}_amd64.deb"
[ -f "$DEB" ] && [ -f "$TOOLS_DEB" ] || die "no $(basename "$DEB") and $(basename "$TOOLS_DEB"): $(ls "$WORK/pkg")"
pass "dpkg-buildpackage made $(basename "$DEB") ($(stat -c %s "$DEB") bytes) and $(basename "$TOOLS_DEB")"
grep -q "RARA3_BUILD_TESTS=OFF" "$WORK/pkg/build.log" && ! grep -Eq "rara3_[a-z]+_tests" "$WORK/pkg/build.log" ||
  fail "the package build built the tests"

field() { dpkg-deb -f "$1" "$2"; }
depends=$(field "$DEB" Depends)
for dep in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-image-2.0-0 libfluidsynth3 timgm6mb-soundfont; do
  grep -q "$dep" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
[ "$(field "$DEB" Section)" = games ] || fail "section $(field "$DEB" Section), not games"
[ "$(field "$DEB" Version)" = "$VERSION" ] || fail "version $(field "$DEB" Version), not $VERSION"
pass "Depends: $depends"

ROOT="$WORK/root"
dpkg-deb -x "$DEB" "$ROOT" && dpkg-deb -x "$TOOLS_DEB" "$ROOT" || die "dpkg-deb -x failed"
(cd "$ROOT" && find . -type f | sort) >"$WORK/files"
expected="./usr/games/rara3
./usr/share/games/rara3/TOVAK.DAT
./usr/share/applications/org.rara3.Rara3.desktop
./usr/share/metainfo/org.rara3.Rara3.metainfo.xml
./usr/share/man/man6/rara3.6.gz
./usr/share/doc/rara3/copyright
./usr/share/locale/ja/LC_MESSAGES/rara3.mo
./usr/bin/rara3-pack
./usr/bin/rara3-sim
./usr/bin/rara3-solve
./usr/share/man/man1/rara3-pack.1.gz"
for size in 16 22 24 32 48 64 128 256; do
  expected+=$'\n'"./usr/share/icons/hicolor/${size}x${size}/apps/org.rara3.Rara3.png"
done
expected+=$'\n'"./usr/share/icons/hicolor/scalable/apps/org.rara3.Rara3.svg"
while read -r f; do
  grep -qx "$f" "$WORK/files" || fail "the package lacks $f"
done <<<"$expected"
for size in 16 22 24 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/org.rara3.Rara3.png")
  [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
done
cmp -s "$ROOT/usr/share/games/rara3/TOVAK.DAT" "$BIN/shipped/TOVAK.DAT" ||
  fail "the installed data file is not the one this build ships"
[ "$(od -An -tu1 -j 40000 -N1 "$ROOT/usr/share/games/rara3/TOVAK.DAT" | tr -d ' ')" = 1 ] ||
  fail "the installed data file does not start at stage 1"
grep -q '<svg xmlns="http://www.w3.org/2000/svg"' "$ROOT/usr/share/icons/hicolor/scalable/apps/org.rara3.Rara3.svg" ||
  fail "the scalable icon is no SVG"
pass "$(wc -l <"$WORK/files") files installed, icons at 16 to 256 px and scalable"

# No path of the build machine in the installed program.
if grep -q -a -e "$WORK" -e "$SRC" "$ROOT/usr/games/rara3"; then
  fail "the installed program holds a path of the build machine"
else
  pass "no path of the build machine in usr/games/rara3"
fi

# --- Debian's validators ---
if out=$(desktop-file-validate "$ROOT/usr/share/applications/org.rara3.Rara3.desktop" 2>&1); then
  pass "desktop-file-validate: no findings"
else
  fail "desktop-file-validate: $out"
fi
if out=$(appstreamcli validate --no-net "$ROOT/usr/share/metainfo/org.rara3.Rara3.metainfo.xml" 2>&1); then
  pass "appstreamcli validate --no-net: $(tail -1 <<<"$out")"
else
  fail "appstreamcli validate --no-net: $out"
fi
grep -q "screenshots/stage1.png" "$ROOT/usr/share/metainfo/org.rara3.Rara3.metainfo.xml" ||
  fail "the metadata names no screenshot"
[ "$(identify -format '%wx%h' "$BIN/packaging/screenshots/stage1.png" 2>/dev/null)" = 640x480 ] ||
  fail "no 640 x 480 screenshot made by the simulator"
# Errors and warnings fail.
if lintian --fail-on error,warning "$DEB" "$TOOLS_DEB" >"$WORK/lintian.log" 2>&1; then
  pass "lintian: no errors or warnings"
else
  fail "lintian: $(grep -v 'root privileges' "$WORK/lintian.log")"
fi

# --- Playing the installed game ---
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
if [ ! -s "$WORK/display" ]; then
  echo "SKIP: Xvfb cannot start here"; cat "$WORK/xvfb.log"; exit $((failed ? 1 : 77))
fi
export DISPLAY=":$(head -1 "$WORK/display")"
matchbox-window-manager -use_titlebar no >"$WORK/wm.log" 2>&1 &
PIDS+=($!)
sleep 0.5

# The player: nobody when the test runs as root, else the user running it.
PLAYER_HOME="$WORK/home"
mkdir -p "$PLAYER_HOME"
AS_PLAYER=()
if [ "$(id -u)" = 0 ]; then
  chown nobody "$PLAYER_HOME"
  AS_PLAYER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod -R a-w "$ROOT/usr"
if "${AS_PLAYER[@]}" test -w "$ROOT/usr/games"; then
  die "the program folder can be written by the player"
fi
USER_DIR="$PLAYER_HOME/.local/share/rara3"

# Under the sanitizers, leaks of system libraries are not the game's; the
# player reads the suppressions from a copy it can reach.
cp "$SRC/tests/e2e/lsan.supp" "$WORK/lsan.supp"
chmod 644 "$WORK/lsan.supp"
start_game() {
  "${AS_PLAYER[@]}" env -i HOME="$PLAYER_HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin \
    SDL_AUDIODRIVER=dummy LSAN_OPTIONS="suppressions=$WORK/lsan.supp" \
    ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} \
    "$ROOT/usr/games/rara3" >"$WORK/stdout" 2>"$WORK/stderr" &
  GAME_PID=$!
  PIDS+=($GAME_PID)
}
wait_end() {  # pid, seconds; STATUS is its exit status
  local t=0
  while kill -0 "$1" 2>/dev/null; do
    sleep 0.05; t=$((t + 1))
    if [ $t -gt $(($2 * 20)) ]; then STATUS=timeout; return 1; fi
  done
  wait "$1"; STATUS=$?
}
shot() {
  import -window root "$WORK/screen.png" 2>/dev/null &&
    convert "$WORK/screen.png" -crop 1280x960+0+32 +repage -sample 640x480 "$1"
}
wait_frame() {  # png, seconds
  local t=0
  while [ $t -lt $(($2 * 4)) ]; do
    shot "$WORK/now.png" && [ "$(compare -metric AE "$WORK/now.png" "$1" null: 2>&1)" = 0 ] && return 0
    sleep 0.25; t=$((t + 1))
  done
  return 1
}
press() { xdotool keydown "$1"; sleep "${2:-0.08}"; xdotool keyup "$1"; }

# The keys of stage 1's shipped solution, and how long each move plays, from
# the simulator on the installed data file.
SOLUTION="$SRC/assets/solutions/001.PBD"
mapfile -t codes < <(tr -d '\r' <"$SOLUTION" | tail -n +2)
[ "${#codes[@]}" = "$(tr -d '\r' <"$SOLUTION" | head -1)" ] || die "$SOLUTION: count and codes differ"
keys=()
cp "$ROOT/usr/share/games/rara3/TOVAK.DAT" "$WORK/sim.DAT"
chmod u+w "$WORK/sim.DAT"
{
  printf 'run 2\nsnap %s/sim_title.png\nkey enter\nrun 3\nprint Frames\n' "$WORK"
  n=0
  for c in "${codes[@]}"; do
    case $c in 28) d=right k=Right;; 29) d=left k=Left;; 30) d=up k=Up;; 31) d=down k=Down;;
      *) die "$SOLUTION: move code $c";; esac
    keys+=("$k")
    n=$((n + 1))
    # Every move ends idle, the last one on the clear screen.
    [ $n = ${#codes[@]} ] && until=clear || until=idle
    printf 'hold %s\nrun 1\nhold\nuntil %s 2000\nprint Frames Scene\n' "$d" "$until"
  done
} >"$WORK/solve.sim"
# The installed game shows its side panels from the first start, in
# English without a locale: the simulator draws the same.
SIM_AS_GAME=(env -u LANGUAGE LC_ALL=C "$SIM" --panels)
"${SIM_AS_GAME[@]}" "$WORK/sim.DAT" "$WORK/solve.sim" >"$WORK/solve.out" 2>&1 || die "rara3-sim: $(cat "$WORK/solve.out")"
tail -1 "$WORK/solve.out" | grep -q " Scene=4$" || die "the shipped solution does not clear stage 1 in the simulator"
mapfile -t frames < <(grep -o '^Frames=[0-9]*' "$WORK/solve.out" | cut -d= -f2)
for i in "${!keys[@]}"; do
  [ $((frames[i + 1] - frames[i])) -ge 10 ] || die "move $((i + 1)) takes under 10 frames; the key would repeat it"
done
printf 'run 2\nkey up\nrun 3\nsnap %s/sim_title_stage2.png\n' "$WORK" >"$WORK/title2.sim"

# === First start: the player's folder is made, stage 1 is cleared ===
start_game
wait_frame "$WORK/sim_title.png" 15 ||
  die "no title screen from the installed game; stderr: $(cat "$WORK/stderr")"
pass "the installed game shows the title as the simulator does"
[ -f "$USER_DIR/TOVAK.DAT" ] && cmp -s "$USER_DIR/TOVAK.DAT" "$ROOT/usr/share/games/rara3/TOVAK.DAT" &&
  pass "first start copied the shipped data file to ~/.local/share/rara3/" ||
  fail "no copy of the shipped data file in $USER_DIR: $(ls -la "$USER_DIR" 2>&1)"

press Return
sleep 0.5
for i in "${!keys[@]}"; do
  passes=$((frames[i + 1] - frames[i]))
  # Held for a few frames: long enough for a timer tick, shorter than any
  # move (a walk is 13 frames); then twice the move's time, for a busy machine.
  press "${keys[$i]}" 0.12
  sleep "$(awk -v p="$passes" 'BEGIN { printf "%.2f", p / 60 * 2 + 0.4 }')"
done
sleep 2.5   # the cheering runs before Enter is taken
press Return
sleep 1
wmctrl -c Rara3
wait_end "$GAME_PID" 5
[ "$STATUS" = 0 ] || fail "the first run ended with $STATUS; stderr: $(cat "$WORK/stderr")"

progress=$(od -An -tu1 -j 40000 -N1 "$USER_DIR/TOVAK.DAT" 2>/dev/null | tr -d ' ')
[ "$progress" = 2 ] && pass "stage 1 cleared with the keyboard: progress 2 in $USER_DIR/TOVAK.DAT" ||
  fail "progress after the clear: '$progress', not 2"
if cmp -s "$USER_DIR/001.PBD" "$SOLUTION"; then
  pass "001.PBD in the per-user folder holds the moves played"
else
  fail "001.PBD: $(ls -la "$USER_DIR" 2>&1) $(od -c "$USER_DIR/001.PBD" 2>&1 | head -3)"
fi
[ -z "$(find "$ROOT" -newer "$DEB" -name '*.PBD' -o -newer "$DEB" -name 'TOVAK.TMP')" ] ||
  fail "the game wrote into the program folder"

# === Second start: the progress is found again ===
cp "$USER_DIR/TOVAK.DAT" "$WORK/played.DAT"
chmod u+w "$WORK/played.DAT"
"${SIM_AS_GAME[@]}" "$WORK/played.DAT" "$WORK/title2.sim" >/dev/null 2>&1 || die "rara3-sim on the played file failed"
cmp -s "$WORK/sim_title.png" "$WORK/sim_title_stage2.png" &&
  die "stage 2 on the title looks like stage 1; the check below would prove nothing"
start_game
wait_frame "$WORK/sim_title.png" 15 || fail "no title on the second start; stderr: $(cat "$WORK/stderr")"
press Up
if wait_frame "$WORK/sim_title_stage2.png" 5; then
  pass "the second start found the progress: Up chooses stage 2"
else
  fail "the second start did not offer stage 2"
fi
press Escape
wait_end "$GAME_PID" 5
[ "$STATUS" = 0 ] || fail "the second run ended with $STATUS; stderr: $(cat "$WORK/stderr")"
cmp -s "$USER_DIR/TOVAK.DAT.shipped" "$ROOT/usr/share/games/rara3/TOVAK.DAT" ||
  fail "the shipped copy in the per-user folder is not the shipped file"

# === A home the player cannot write: the message names the folder ===
PLAYER_HOME="$WORK/locked"
mkdir -p "$PLAYER_HOME"
chmod 555 "$PLAYER_HOME"
start_game
box=no
for _ in $(seq 50); do
  if wmctrl -l 2>/dev/null | grep -q ' Rara3$'; then box=yes; break; fi
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
[ $box = yes ] || fail "no message box when the player's folder cannot be made"
wmctrl -c Rara3
wait_end "$GAME_PID" 5
if [ "$STATUS" = 1 ] && grep -q "$PLAYER_HOME/.local/: the folder for the game's files cannot be made" "$WORK/stderr"; then
  pass "a folder that cannot be made: status 1, the message names it: $(grep -m1 "$PLAYER_HOME" "$WORK/stderr")"
else
  fail "a folder that cannot be made: status $STATUS, stderr: $(cat "$WORK/stderr")"
fi

exit $failed
