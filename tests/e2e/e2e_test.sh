#!/bin/bash
# The real game under a virtual X server, driven by real key events.
#   e2e_test.sh RARA3 DATAFILE RARA3_SIM AUDIO_CHECK
# Exit 0 passed, 1 failed, 77 skipped (no X server can be started here).
set -u

RARA3=$1
DATAFILE=$2
SIM=$3
AUDIO_CHECK=$4

SCREEN_W=1280
SCREEN_H=1024
SCALE=$(( SCREEN_W / 640 < SCREEN_H / 480 ? SCREEN_W / 640 : SCREEN_H / 480 ))
FRAME_W=$(( 640 * SCALE ))
FRAME_H=$(( 480 * SCALE ))
FRAME_X=$(( (SCREEN_W - FRAME_W) / 2 ))
FRAME_Y=$(( (SCREEN_H - FRAME_H) / 2 ))

# Under the sanitizers, leaks of system libraries are not the game's.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

WORK=$(mktemp -d /tmp/rara3-e2e.XXXXXX)
PIDS=()
failed=0

cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failed=1; }
die() { echo "FAIL: $*"; exit 1; }
pass() { echo "ok: $*"; }

for tool in Xvfb xdotool xwininfo matchbox-window-manager wmctrl import compare convert /usr/bin/python3; do
  command -v "$tool" >/dev/null || die "$tool is missing (make test installs it)"
done

# --- The X server, on a free display number, and a small window manager ---
Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp 3>"$WORK/display" \
  >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
if [ ! -s "$WORK/display" ]; then
  echo "SKIP: Xvfb cannot start here"; cat "$WORK/xvfb.log"; exit 77
fi
export DISPLAY=":$(head -1 "$WORK/display")"
matchbox-window-manager -use_titlebar no >"$WORK/wm.log" 2>&1 &
WM_PID=$!
PIDS+=($WM_PID)
sleep 0.5

# --- The moves played: stage 1's shipped solution but its last step, so the
# exit has opened and the player stands just short of it ---
SOLUTION="$(cd "$(dirname "$0")/../.." && pwd)/assets/solutions/001.PBD"
mapfile -t CODES < <(tr -d '\r' <"$SOLUTION" | tail -n +2)
CODES_ALL=("${CODES[@]}")
unset 'CODES[-1]'
KEYS=()
MOVES_SIM=""
for c in "${CODES[@]}"; do
  case $c in 28) d=right k=Right;; 29) d=left k=Left;; 30) d=up k=Up;; 31) d=down k=Down;;
    *) die "$SOLUTION: move code $c";; esac
  KEYS+=("$k")
  MOVES_SIM+="hold $d"$'\n'"run 1"$'\n'"hold"$'\n'"until idle 2000"$'\n'"print Frames PlayerX PlayerY"$'\n'
done

# --- What the frames must be: the simulator on the same data file ---
cat >"$WORK/frames.sim" <<SIM
run 2
snap $WORK/sim_title.png
key enter
run 3
snap $WORK/sim_board.png
print Frames PlayerX PlayerY
${MOVES_SIM}run 200
SIM
# The open exit glows on its own: every frame of a whole glow cycle.
for i in $(seq 128); do printf 'run 1\nsnap %s/sim_walked_%03d.png\n' "$WORK" "$i"; done \
  >>"$WORK/frames.sim"
"$SIM" "$DATAFILE" "$WORK/frames.sim" >"$WORK/sim.out" || die "rara3-sim failed"
identify -format '%#\n' "$WORK"/sim_walked_*.png | sort -u >"$WORK/walked.sigs"
# How many frames each move took in the simulator.
mapfile -t FRAME_AT < <(grep -o '^Frames=[0-9]*' "$WORK/sim.out" | cut -d= -f2)
MOVE_FRAMES=()
for i in "${!KEYS[@]}"; do MOVE_FRAMES+=($((FRAME_AT[i + 1] - FRAME_AT[i]))); done

# --- The same moves as clicks: a walk is one click on the cell where it
# ends (the game finds the way), a push a click on the box beside the
# player; last the click on the open exit. CLICKS holds "X Y SECONDS" per
# click, in board cells and the time its moves took in the simulator ---
mapfile -t AT < <(grep -o 'PlayerX=[0-9]* PlayerY=[0-9]*' "$WORK/sim.out" | tr -dc '0-9 \n' | sed 's/^ *//')
CLICKS=()
walk_frames=0
for i in "${!KEYS[@]}"; do
  read -r x y <<<"${AT[$i]}"
  read -r nx ny <<<"${AT[$((i + 1))]}"
  case ${KEYS[$i]} in Right) dx=1 dy=0;; Left) dx=-1 dy=0;; Up) dx=0 dy=-1;; Down) dx=0 dy=1;; esac
  if [ "$nx $ny" = "$((x + dx)) $((y + dy))" ]; then
    walk_frames=$((walk_frames + MOVE_FRAMES[i]))
    read -r fx fy <<<"${AT[$((i + 2))]:-}"
    # The walk goes on when the next move walks on too.
    [ $((i + 1)) -lt ${#KEYS[@]} ] && [ "${fx:-} ${fy:-}" != "$nx $ny" ] && continue
    CLICKS+=("$nx $ny $walk_frames")
    walk_frames=0
  else
    CLICKS+=("$((x + dx)) $((y + dy)) ${MOVE_FRAMES[$i]}")
  fi
done
read -r x y <<<"${AT[${#KEYS[@]}]}"
LAST=${CODES_ALL[-1]}
case $LAST in 28) x=$((x + 1));; 29) x=$((x - 1));; 30) y=$((y - 1));; 31) y=$((y + 1));; esac
CLICKS+=("$x $y 30")
# After the clear, Enter: the next floor's first frame, as the simulator
# draws it in a folder of its own (the clear writes progress and a replay).
mkdir -p "$WORK/clicksim"
cp "$DATAFILE" "$WORK/clicksim/TOVAK.DAT"
{
  printf 'run 2\nkey enter\nrun 3\n'
  # The moves but the last as played above, then the step onto the exit.
  printf '%s' "$MOVES_SIM"
  case $LAST in 28) d=right;; 29) d=left;; 30) d=up;; 31) d=down;; esac
  printf 'hold %s\nrun 1\nhold\nrun 200\nkey enter\nrun 3\nsnap %s\n' "$d" "$WORK/sim_stage2.png"
} >"$WORK/clicks.sim"
"$SIM" "$WORK/clicksim/TOVAK.DAT" "$WORK/clicks.sim" >/dev/null || die "rara3-sim failed on the clicks' script"

# A fresh copy of the game in a folder of its own (a copy left running by a
# failed step holds the lock of its own folder only).
GAMES=0
new_game() {
  GAMES=$((GAMES + 1))
  GAME_DIR="$WORK/game$GAMES"
  mkdir -p "$GAME_DIR"
  cp "$RARA3" "$GAME_DIR/rara3"
  cp "$DATAFILE" "$GAME_DIR/TOVAK.DAT"
  # The bare screens, as the simulator draws them by default: the panels are
  # the unit tests' (F1 off, remembered).
  printf 'panels off\n' >"$GAME_DIR/settings.txt"
}

# Starts the game; GAME_PID is its process.
start_game() {
  (cd "$GAME_DIR" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw" \
     exec ./rara3 >"$WORK/stdout" 2>"$WORK/stderr") &
  GAME_PID=$!
  PIDS+=($GAME_PID)
}

# Waits up to $2 seconds for process $1 to end; STATUS is its exit status.
wait_end() {
  local pid=$1 limit=$2 t=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 0.05
    t=$((t + 1))
    if [ $t -gt $((limit * 20)) ]; then STATUS=timeout; return 1; fi
  done
  wait "$pid"
  STATUS=$?
}

# By class, then its title: under a UTF-8 locale the title is a UTF8_STRING,
# which xdotool's --name does not read.
game_window() {
  local w
  for w in $(xdotool search --class '^rara3$' 2>/dev/null); do
    xprop -id "$w" _NET_WM_NAME 2>/dev/null | grep -q '= "Rara3"$' && { echo "$w"; return; }
  done
}
# The message box, as the window manager lists it.
message_box_shown() { wmctrl -l 2>/dev/null | grep -q ' Rara3$'; }

# The frame on the screen, scaled back to 640 x 480.
shot() {
  import -window root "$WORK/screen.png" 2>/dev/null &&
    convert "$WORK/screen.png" -crop ${FRAME_W}x${FRAME_H}+${FRAME_X}+${FRAME_Y} +repage \
      -sample 640x480 "$1"
}

differing() { compare -metric AE "$1" "$2" null: 2>&1; }

# Waits up to $2 seconds for the screen to show exactly frame $1.
wait_frame() {
  local want=$1 limit=$2 t=0
  while [ $t -lt $((limit * 4)) ]; do
    shot "$WORK/now.png" && [ "$(differing "$WORK/now.png" "$want")" = 0 ] && return 0
    sleep 0.25
    t=$((t + 1))
  done
  return 1
}

# Waits up to $1 seconds for two shots 0.2 s apart to be the same.
wait_still() {
  local limit=$1 t=0
  shot "$WORK/still_a.png"
  while [ $t -lt $((limit * 5)) ]; do
    sleep 0.2
    shot "$WORK/still_b.png"
    [ "$(differing "$WORK/still_a.png" "$WORK/still_b.png")" = 0 ] && return 0
    mv "$WORK/still_b.png" "$WORK/still_a.png"
    t=$((t + 1))
  done
  return 1
}

hold_key() {  # key, seconds
  xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"
}
press() { hold_key "$1" 0.08; }

audio_bytes() { stat -c %s "$WORK/audio.raw" 2>/dev/null || echo 0; }

# === 1. A whole round: title, a stage, a push, retire, quit ===
new_game
start_game
WIN=
for _ in $(seq 100); do
  WIN=$(game_window)
  [ -n "$WIN" ] && xdotool getwindowname "$WIN" >/dev/null 2>&1 && break
  sleep 0.1
done
[ -n "$WIN" ] || die "no window named Rara3; stderr: $(cat "$WORK/stderr")"
[ "$(xdotool getwindowname "$WIN")" = "Rara3" ] && pass "the window is titled Rara3"

if wait_frame "$WORK/sim_title.png" 10; then
  pass "the title screen equals the simulator's frame"
else
  fail "title screen differs from the simulator's frame in $(differing "$WORK/now.png" "$WORK/sim_title.png") pixels"
  cp "$WORK/now.png" /tmp/rara3-e2e-title.png
fi

# A second copy started meanwhile ends at once, leaving the first alone but
# bringing its window back to the front.
xdotool windowminimize "$WIN"
for _ in $(seq 20); do xwininfo -id "$WIN" | grep -q IsUnviewable && break; sleep 0.1; done
start=$(date +%s%N)
(cd "$GAME_DIR" && exec ./rara3 >/dev/null 2>&1)
second=$?
ms=$(( ($(date +%s%N) - start) / 1000000 ))
if [ $second -eq 0 ] && [ $ms -lt 1500 ] && kill -0 "$GAME_PID" 2>/dev/null; then
  pass "a second instance ended at once with status 0 (${ms} ms)"
else
  fail "second instance: status $second after ${ms} ms"
fi
shown=no
for _ in $(seq 30); do
  if xwininfo -id "$WIN" | grep -q IsViewable; then shown=yes; break; fi
  sleep 0.1
done
if [ $shown = yes ] && wait_frame "$WORK/sim_title.png" 5; then
  pass "the second start brought the minimised game window back to the front"
else
  fail "the game window stayed minimised after a second start"
fi

# The tune plays on the title; then music off, so the push effect sounds alone.
sleep 2
TUNE_TO=$(audio_bytes)
press m
sleep 1
EFFECT_FROM=$(audio_bytes)

press Return
if wait_frame "$WORK/sim_board.png" 5; then
  pass "Enter starts stage 1; the board equals the simulator's frame"
else
  fail "board differs from the simulator's frame in $(differing "$WORK/now.png" "$WORK/sim_board.png") pixels"
  cp "$WORK/now.png" /tmp/rara3-e2e-board.png
fi

# Each move pressed once and played out: for as long as the simulator's
# took, and then until the screen stands still (a busy machine runs the game
# slower, and an arrow pressed during a move is not a move).
for i in "${!KEYS[@]}"; do
  press "${KEYS[$i]}"
  sleep "$(awk -v f="${MOVE_FRAMES[$i]}" 'BEGIN { printf "%.2f", f / 60 + 0.1 }')"
  wait_still 3 || true  # the open exit glows: never still
done
sleep 1
shot "$WORK/walked.png"
if grep -qx "$(identify -format '%#' "$WORK/walked.png")" "$WORK/walked.sigs"; then
  pass "the arrows walk and push, and the pairing opens the exit, as in the simulator"
else
  fail "after the moves the board is none of the simulator's frames"
  cp "$WORK/walked.png" /tmp/rara3-e2e-walked.png
fi

# Undo: Backspace takes back the pushes and steps one by one (more presses
# than there were moves); the board is then the stage's start again.
for _ in $(seq 40); do press BackSpace; done
if wait_frame "$WORK/sim_board.png" 5; then
  pass "Backspace undoes every push and step back to the stage's start"
else
  fail "after the undos the board differs from the start in $(differing "$WORK/now.png" "$WORK/sim_board.png") pixels"
  cp "$WORK/now.png" /tmp/rara3-e2e-undo.png
fi

press Escape
sleep 2
press Escape
if wait_frame "$WORK/sim_title.png" 5; then
  pass "Esc, then Esc after the collapse, returns to the title"
else
  fail "no title after the retire"
fi

press Escape
start=$(date +%s%N)
# Seconds, not one: under the sanitizers the leak check at exit alone can
# take a second on a busy machine. The time is reported either way.
wait_end "$GAME_PID" 5
ms=$(( ($(date +%s%N) - start) / 1000000 ))
if [ "$STATUS" = 0 ]; then
  pass "Esc on the title ends the game with status 0 (${ms} ms)"
else
  fail "Esc on the title: status $STATUS; stderr: $(tail -5 "$WORK/stderr")"
fi
cmp -s "$DATAFILE" "$GAME_DIR/TOVAK.DAT" || fail "the data file changed without a clear"

if /usr/bin/python3 "$AUDIO_CHECK" "$WORK/audio.raw" "$DATAFILE" 176400 "$TUNE_TO" "$EFFECT_FROM"; then
  pass "the tune and the push effect are in the captured sound"
else
  fail "captured sound"
fi

# === 1b. The same floor by the mouse alone: a click on the title starts
# it, clicks walk and push, a click after the clear goes on ===
# A click at a cell of the board, or with px at a pixel of the picture.
click() {
  local px py
  if [ "$1" = px ]; then px=$2 py=$3; else px=$((80 + 24 * $1 + 12)) py=$((24 * $2 + 12)); fi
  xdotool mousemove $((FRAME_X + SCALE * px)) $((FRAME_Y + SCALE * py)) click 1
}
new_game
start_game
wait_frame "$WORK/sim_title.png" 10 || fail "no title screen for the mouse test"
click px 320 80
if wait_frame "$WORK/sim_board.png" 5; then
  pass "a click on the title starts stage 1"
else
  fail "after a click on the title the screen differs from the board in $(differing "$WORK/now.png" "$WORK/sim_board.png") pixels"
fi
for c in "${CLICKS[@]}"; do
  read -r x y frames <<<"$c"
  click "$x" "$y"
  sleep "$(awk -v f="$frames" 'BEGIN { printf "%.2f", f / 60 + 0.1 }')"
  wait_still 3 || true
done
sleep 2.5
click px 320 240
if wait_frame "$WORK/sim_stage2.png" 8; then
  pass "${#CLICKS[@]} clicks clear stage 1 (walks, pushes, the exit) and a click goes on to stage 2"
else
  fail "after the clicks the screen is not stage 2's start ($(differing "$WORK/now.png" "$WORK/sim_stage2.png") pixels differ)"
  cp "$WORK/now.png" /tmp/rara3-e2e-clicks.png
fi
wmctrl -c Rara3
wait_end "$GAME_PID" 2 && [ "$STATUS" = 0 ] || fail "the game did not end after the mouse test: status $STATUS"

# === 2. Closing the window from the board ===
new_game
rm -f "$WORK/audio.raw"
start_game
wait_frame "$WORK/sim_title.png" 10 || fail "no title screen for the close test"
press Return
wait_frame "$WORK/sim_board.png" 5 || fail "no board for the close test"
start=$(date +%s%N)
wmctrl -c Rara3
if wait_end "$GAME_PID" 2 && [ "$STATUS" = 0 ]; then
  pass "closing the window from the board ends with status 0 ($(( ($(date +%s%N) - start) / 1000000 )) ms)"
else
  fail "closing the window: status $STATUS; stderr: $(tail -5 "$WORK/stderr")"
fi
cmp -s "$DATAFILE" "$GAME_DIR/TOVAK.DAT" && pass "the data file is unchanged" ||
  fail "closing the window changed the data file"

# === 3. A failure the game survives: a message box over the full screen ===
new_game
start_game
wait_frame "$WORK/sim_title.png" 10 || fail "no title screen for the notice test"
WIN=$(printf '0x%08x' "$(game_window)")
xdotool key ctrl+shift+F11
# The box is the window manager's other window named Rara3.
BOX=
for _ in $(seq 50); do
  BOX=$(wmctrl -l 2>/dev/null | awk -v win="$WIN" '$NF == "Rara3" && $1 != win { print $1; exit }')
  [ -n "$BOX" ] && break
  sleep 0.1
done
if [ -n "$BOX" ]; then
  sleep 0.5
  shot "$WORK/notice.png"
  if [ "$(differing "$WORK/notice.png" "$WORK/sim_title.png")" != 0 ]; then
    pass "a replay that is missing is told in a message box shown over the full-screen game"
  else
    fail "the message box is not in front of the full-screen game"
  fi
  grep -q "No replay of stage 1" "$WORK/stderr" || fail "no line on standard error for the missing replay"
  wmctrl -i -c "$BOX"
  if wait_frame "$WORK/sim_title.png" 5 && kill -0 "$GAME_PID" 2>/dev/null; then
    pass "once the message box is closed the game goes on on the title"
  else
    fail "the game did not go on after the message box"
  fi
else
  fail "Ctrl+Shift+F11 without a replay showed no message box"
fi
press Escape
wait_end "$GAME_PID" 2 || fail "the game did not end after the notice test"

# === 4. A data file that is missing or too short ===
for damage in missing short; do
  new_game
  if [ $damage = missing ]; then rm "$GAME_DIR/TOVAK.DAT"; else truncate -s 40001 "$GAME_DIR/TOVAK.DAT"; fi
  start_game
  # The message box waits until it is closed.
  box=no
  for _ in $(seq 50); do
    if message_box_shown; then box=yes; break; fi
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  [ $box = yes ] || fail "$damage data file: no message box"
  wmctrl -c Rara3
  wait_end "$GAME_PID" 3
  if [ $damage = missing ] && ! grep -q "make run" "$WORK/stderr"; then
    fail "missing data file: the message does not say how to build it again"
  fi
  if [ "$STATUS" = 1 ] && grep -q "TOVAK.DAT" "$WORK/stderr"; then
    pass "$damage data file: status 1, the message names the file: $(grep TOVAK.DAT "$WORK/stderr" | head -1)"
  else
    fail "$damage data file: status $STATUS, stderr: $(cat "$WORK/stderr")"
  fi
done

# === 5. No window manager: nobody answers a full-screen request, so the
# window itself covers the screen and the whole frame shows ===
kill "$WM_PID"
wait "$WM_PID" 2>/dev/null
new_game
start_game
if wait_frame "$WORK/sim_title.png" 10; then
  pass "without a window manager the whole title shows, scaled and centred on the screen"
else
  fail "without a window manager the screen differs from the title in $(differing "$WORK/now.png" "$WORK/sim_title.png") pixels"
  cp "$WORK/now.png" /tmp/rara3-e2e-bare.png
fi
press Escape
wait_end "$GAME_PID" 2 && [ "$STATUS" = 0 ] || fail "without a window manager Esc on the title: status $STATUS"

exit $failed
