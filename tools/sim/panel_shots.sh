#!/bin/bash
# Draws the panel screenshots in docs/panels: the title, floor 1, its clear
# and the give-up question, then floor 2 with a hint shown and floor 2 lost
# (both pair boxes pushed into corners), in English and in Japanese, from
# the simulator.
#
#   tools/sim/panel_shots.sh [BUILD_DIR]      (default build)
set -eu
build=${1:-build}
out=$PWD/docs/panels
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$build/tools/pack/rara3-pack" pack assets/stages assets/sound/tune.mid assets/sound 1 "$tmp/TOVAK.DAT" > /dev/null
# Floor 1's shortest solution, one key per move.
moves=$("$build/tools/solve/rara3-solve" assets/stages/001.txt | sed -n 's/^moves: //p')
walk=""
for ((i = 0; i < ${#moves}; ++i)); do
  case ${moves:i:1} in
    L) arrow=left ;; R) arrow=right ;; U) arrow=up ;; D) arrow=down ;;
  esac
  walk+="until idle"$'\n'"hold $arrow"$'\n'"run 1"$'\n'"hold"$'\n'
done
# Floor 2: one pair box into the top left corner, the other into the bottom
# right one, where neither can move again.
lose=""
for arrow in down left left left left left left up up up right up left left down down right up \
             right right right right right right down; do
  lose+="until idle"$'\n'"hold $arrow"$'\n'"run 1"$'\n'"hold"$'\n'
done
for lang in en ja; do
  # A folder each: the replay a clear writes would show as a best clear.
  mkdir "$tmp/$lang"
  cp "$tmp/TOVAK.DAT" "$tmp/$lang/play.DAT"
  LC_ALL=C.UTF-8 LANGUAGE=$lang "$build/tools/sim/rara3-sim" --panels "$tmp/$lang/play.DAT" > /dev/null <<SCRIPT
run 30
snap $out/title-$lang.png
key enter
until idle
run 2
snap $out/floor-$lang.png
key esc
run 200
snap $out/retire-$lang.png
key esc
until title
run 30
key enter
until idle
$walk
until clear
run 150
snap $out/clear-$lang.png
run 60
key enter
until idle
run 2
key h
run 40
snap $out/hint-$lang.png
$lose
until idle
run 120
snap $out/stuck-$lang.png
SCRIPT
done
echo "wrote docs/panels: title, floor, retire, clear, hint and stuck in en and ja"
