#!/bin/bash
# Makes the ninety stages after the tutorial with rara3-architect: one slot a
# line below, its band's parameters and its featured kinds. Every slot tries
# its seeds in order, so the same build makes the same stages.
#
#   tools/stagegen/make_set.sh OUT_DIR [FIRST_SLOT LAST_SLOT]
#
# OUT_DIR/slotNN.txt is the stage of slot NN (11..100, before ordering);
# OUT_DIR/slotNN.log the architect's line. ARCHITECT and RARA3_SOLVE name the
# tools.
set -u
out=$1
first=${2:-11}
last=${3:-100}
arch=${ARCHITECT:-build/tools/stagegen/rara3-architect}
solve=${RARA3_SOLVE:-build/tools/solve/rara3-solve}
mkdir -p "$out"

# band: states iterations size rooms boxes min-pushes open-walls
band_args() {
  case $1 in
    1) echo "--max-states 20000 --iterations 40 --size 11x9-15x11 --rooms 1-2 --boxes 1 --min-pushes 3 --open-walls" ;;
    2) echo "--max-states 40000 --iterations 40 --size 12x9-16x12 --rooms 1-3 --boxes 1 --min-pushes 4 --open-walls" ;;
    3) echo "--max-states 70000 --iterations 45 --size 12x10-16x13 --rooms 2-3 --boxes 0 --min-pushes 5 --open-walls" ;;
    4) echo "--max-states 80000 --iterations 40 --size 13x10-17x14 --rooms 2-3 --boxes 1 --min-pushes 6 --open-walls" ;;
    5) echo "--max-states 100000 --iterations 35 --size 13x10-18x15 --rooms 2-3 --boxes 1 --min-pushes 7 --open-walls" ;;
    6) echo "--max-states 100000 --iterations 15 --size 14x11-18x16 --rooms 2-4 --boxes 1 --min-pushes 7" ;;
    7) echo "--max-states 60000 --iterations 30 --size 15x11-18x18 --rooms 2-4 --boxes 2 --min-pushes 7" ;;
    8) echo "--max-states 60000 --iterations 30 --size 15x12-18x18 --rooms 3-4 --boxes 2 --min-pushes 7" ;;
    9) echo "--max-states 80000 --iterations 30 --size 16x12-18x18 --rooms 3-4 --boxes 2 --min-pushes 8" ;;
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
  VTS V%B TSB S%CB VTC T%B VSB VTB SCV CTB
  VTS V%CB TSB SCB VT%B TCB VSB VTB S%CV %CB
  VTS VCB T%SB SCB VTC TCB V%SB VTB SCV %CTB
)

# Slots whose featured kinds must all be tools (--strict): without all the
# boxes of each the stage cannot be won or takes longer, and the solution
# makes each kind's own move (a blink, a single step, a slide). These are the
# slots with a vanish, step or slide box whose stage, made without the rule,
# did without it; a strict run was tried on more such slots, and these are
# the ones it gave a stage for. STRICT_SLOTS adds slots to the list.
strict=" 11 12 13 17 18 19 22 26 28 42 43 57 ${STRICT_SLOTS:-} "

for slot in $(seq "$first" "$last"); do
  [ -s "$out/slot$slot.txt" ] && continue
  band=$(( (slot - 1) / 10 ))
  k=${kinds[$((slot - 11))]}
  args=$(band_args "$band")
  # A strict slot passes less often, so it has fifty more seeds at the end.
  more_tries=""
  case $strict in *" $slot "*) args="$args --strict"; more_tries=$(seq 10 59) ;; esac
  # Seeds 0-3 of the slot with the band's bar for pushes; when none gives a
  # stage (OUT_DIR/slotNN.failed remembers that), seeds 4-5 with the bar
  # three pushes lower, then seeds 6-9 with a bar of two pushes.
  tries="0 1 2 3"
  [ -e "$out/slot$slot.failed" ] && tries=""
  for try in $tries 4 5 6 7 8 9 $more_tries; do
    seed=$(( slot * 100 + try ))
    more=""
    if [ "$try" -ge 4 ]; then
      touch "$out/slot$slot.failed"
      bar=$(echo "$args" | sed 's/.*--min-pushes \([0-9]*\).*/\1/')
      more="--min-pushes $(( bar > 5 ? bar - 3 : 2 ))"
      [ "$try" -ge 6 ] && more="--min-pushes 2"
    fi
    tmp=$out/tmp$slot
    rm -rf "$tmp"
    # shellcheck disable=SC2086
    if line=$(nice -n 15 "$arch" --seed "$seed" --count 1 --out "$tmp" --kinds "$k" --min-moves 15 $args $more); then
      # Its dead-end share has to be measurable: at most 30 million boards
      # reachable from the start.
      if nice -n 15 "$solve" "$tmp/$seed-0.txt" --dead-ends --dead-end-states 30000000 |
          grep -q "^dead ends: n/a"; then
        rm -rf "$tmp"
        continue
      fi
      mv "$tmp/$seed-0.txt" "$out/slot$slot.txt"
      echo "slot $slot seed $seed kinds $k: $line" > "$out/slot$slot.log"
      rm -rf "$tmp"
      break
    fi
    rm -rf "$tmp"
  done
  [ -s "$out/slot$slot.txt" ] || echo "slot $slot: no stage" >&2
done
