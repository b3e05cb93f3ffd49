#!/bin/bash
# Makes the ninety stages after the tutorial with rara3-architect: one slot a
# line below, its band's parameters and its featured kinds. Every slot tries
# its seeds in order, so the same build makes the same stages.
#
#   tools/stagegen/make_set.sh OUT_DIR [FIRST_SLOT LAST_SLOT]
#
# OUT_DIR/slotNN.txt is the stage of slot NN (11..100, before ordering);
# OUT_DIR/slotNN.log the architect's line. Set ARCHITECT to the tool's path.
set -u
out=$1
first=${2:-11}
last=${3:-100}
arch=${ARCHITECT:-build/tools/stagegen/rara3-architect}
mkdir -p "$out"

# band: states iterations size rooms boxes min-pushes open-walls
band_args() {
  case $1 in
    1) echo "--max-states 20000 --iterations 40 --size 11x9-15x11 --rooms 1-2 --boxes 1 --min-pushes 3 --open-walls" ;;
    2) echo "--max-states 40000 --iterations 40 --size 12x9-16x12 --rooms 1-3 --boxes 1 --min-pushes 4 --open-walls" ;;
    3) echo "--max-states 70000 --iterations 45 --size 12x10-16x13 --rooms 2-3 --boxes 0 --min-pushes 5 --open-walls" ;;
    4) echo "--max-states 120000 --iterations 45 --size 13x10-17x14 --rooms 2-3 --boxes 1 --min-pushes 6 --open-walls" ;;
    5) echo "--max-states 200000 --iterations 45 --size 13x10-18x15 --rooms 2-3 --boxes 1 --min-pushes 7 --open-walls" ;;
    6) echo "--max-states 300000 --iterations 45 --size 14x11-18x16 --rooms 2-4 --boxes 1 --min-pushes 8 --open-walls" ;;
    7) echo "--max-states 500000 --iterations 40 --size 15x11-18x18 --rooms 2-4 --boxes 2 --min-pushes 9" ;;
    8) echo "--max-states 800000 --iterations 35 --size 15x12-18x18 --rooms 2-4 --boxes 2 --min-pushes 10" ;;
    9) echo "--max-states 1200000 --iterations 30 --size 16x12-18x18 --rooms 2-4 --boxes 2 --min-pushes 11" ;;
  esac
}

# Featured kinds of slots 11..100, ten a band: V vanish, T step, S slide,
# C copy, B bomb, % break (always with a bomb).
kinds=(
  VV T S C B %B VV T S C
  T S C B VV VT SB CS TB VC
  VT VS VC VB TS TC TB SC SB CB
  VT VS VC VB TS TC TB SC SB %B
  CB SB TB VB SC TC VC TS VS VT
  VT VS VC VB TS TC TB SC SB CB
  VTS VCB TSB SCB VTC TCB VSB VTB SCV CTB
  VTS VCB TSB SCB VTC TCB VSB VTB SCV %CB
  VTS VCB TSB SCB VTC TCB VSB VTB SCV CTB
)

for slot in $(seq "$first" "$last"); do
  [ -s "$out/slot$slot.txt" ] && continue
  band=$(( (slot - 1) / 10 ))
  k=${kinds[$((slot - 11))]}
  args=$(band_args "$band")
  for try in 0 1 2 3; do
    seed=$(( slot * 100 + try ))
    tmp=$out/tmp$slot
    rm -rf "$tmp"
    if line=$(nice -n 15 "$arch" --seed "$seed" --count 1 --out "$tmp" --kinds "$k" $args); then
      mv "$tmp/$seed-0.txt" "$out/slot$slot.txt"
      echo "slot $slot seed $seed kinds $k: $line" > "$out/slot$slot.log"
      rm -rf "$tmp"
      break
    fi
    rm -rf "$tmp"
  done
  [ -s "$out/slot$slot.txt" ] || echo "slot $slot: no stage" >&2
done
