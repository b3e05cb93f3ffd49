#!/bin/bash
# How long the game lingers after its window is closed, under a virtual X
# server: each run starts the game, lets the tune play, closes the window
# as a window manager does and reports when the window had gone and when
# the process had.
#   measure_exit.sh RARA3 DATAFILE [RUNS]
# SDL_AUDIODRIVER is passed on (e.g. dummy, disk, pulseaudio); unset, SDL
# picks the device as for play.
set -u
RARA3=$1
DATA=$2
RUNS=${3:-5}
for tool in Xvfb xdotool wmctrl matchbox-window-manager; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
WORK=$(mktemp -d /tmp/rara3-exit.XXXXXX)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XPID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -1 "$WORK/display")"
matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
WPID=$!
trap 'kill $WPID $XPID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT
sleep 0.5
mkdir -p "$WORK/game"
cp "$RARA3" "$WORK/game/rara3"
cp "$DATA" "$WORK/game/TOVAK.DAT"
export SDL_DISKAUDIOFILE=/dev/null
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
for _ in $(seq "$RUNS"); do
  (cd "$WORK/game" && exec ./rara3 >/dev/null 2>&1) &
  pid=$!
  for _ in $(seq 100); do
    [ -n "$(xdotool search --onlyvisible --name '^Rara3$' 2>/dev/null)" ] && break
    sleep 0.1
  done
  sleep 2
  t0=$(now_ms)
  wmctrl -c Rara3
  gone=
  while kill -0 "$pid" 2>/dev/null; do
    if [ -z "$gone" ] && [ -z "$(xdotool search --onlyvisible --name '^Rara3$' 2>/dev/null)" ]; then
      gone=$(now_ms)
    fi
    sleep 0.005
  done
  t1=$(now_ms)
  wait "$pid" 2>/dev/null
  [ -z "$gone" ] && gone=$t1
  echo "window gone $((gone - t0)) ms, process gone $((t1 - t0)) ms after the close; $((t1 - gone)) ms between"
done
