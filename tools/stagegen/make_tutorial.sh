#!/bin/bash
# Makes stages 1-10, the tutorial: stages 1-5 with rara3-architect (small
# rooms on a real board, one idea each, few pushes, at most 30 % dead ends;
# each stage tries its seeds in order until one gives a stage, so the same
# build makes the same stages), stages 6-10 drawn by hand in
# assets/stage-notes/tutorial/, where a blast, a copy change or a corridor had to
# be set up just so.
#
#   tools/stagegen/make_tutorial.sh OUT_DIR
#
# OUT_DIR/tutNN.txt is stage NN. Set ARCHITECT to the tool's path.
set -u
out=$1
arch=${ARCHITECT:-build/tools/stagegen/rara3-architect}
mkdir -p "$out"
common="--size 11x8-14x11 --rooms 1-2 --iterations 15 --max-states 20000 --max-dead 30 --open-walls"

# stage | kinds | boxes | min pushes | max pushes | max moves | the story must
# tell | strict: the featured kind needed (a vanish box that only clears the
# way is not: without it the stage is shorter)
stages=(
  "1||0|1|1|10||strict"
  "2||0|2|2|40||strict"
  "3|T|0|2|3|60||strict"
  "4|S|0|2|3|60||strict"
  "5|V|0|2|3|60|vanishes|"
)

for row in "${stages[@]}"; do
  IFS='|' read -r n kinds boxes minp maxp maxm story strict <<< "$row"
  file=$(printf "%s/tut%02d.txt" "$out" "$n")
  [ -s "$file" ] && continue
  req=()
  [ -n "$story" ] && req=(--require "$story")
  [ -n "$strict" ] && req+=(--strict)
  for seed in $(seq $((n * 1000)) $((n * 1000 + 199))); do
    tmp=$out/tmp$n
    rm -rf "$tmp"
    # shellcheck disable=SC2086
    if line=$(nice -n 15 "$arch" --seed "$seed" --count 1 --out "$tmp" --kinds "$kinds" --boxes "$boxes" \
        --min-pushes "$minp" --max-pushes "$maxp" --max-moves "$maxm" $common "${req[@]}"); then
      mv "$tmp/$seed-0.txt" "$file"
      echo "stage $n seed $seed: $line" > "${file%.txt}.log"
      rm -rf "$tmp"
      break
    fi
    rm -rf "$tmp"
  done
  [ -s "$file" ] || echo "stage $n: no stage" >&2
done
for n in 06 07 08 09 10; do
  cp "$(dirname "$0")/../../assets/stage-notes/tutorial/tut$n.txt" "$out/tut$n.txt"
done
