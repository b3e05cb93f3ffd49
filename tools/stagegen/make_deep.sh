#!/bin/bash
# Makes the deep stages of the top end with rara3-rooms (chains of rooms,
# each room a puzzle of its own) and puts each in place of a slot of
# make_set.sh: the first ten slots below are those whose stages were the
# shallowest of the upper forty; the five after them get two-room stages.
# Run it after make_set.sh and break_walls.py, before order_set.py.
#
#   tools/stagegen/make_deep.sh SLOTS_DIR
#
# SLOTS_DIR/slotNN.txt is overwritten with the deep stage; SLOTS_DIR/slotNN.log
# gets the line rara3-rooms printed, SLOTS_DIR/slotNN.rooms what each room's
# own shortest solution does (for writing the stage's words). ROOMS names the
# tool.
set -eu
out=$1
rooms=${ROOMS:-build/tools/stagegen/rara3-rooms}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# slot seed: the seeds are picked from a run of rara3-rooms over seeds 1 to
# 25 (16 of them gave a stage): the ten with 24 pushes or more and between a
# quarter million and four million states searched. Of the others, 6 and 19
# have fewer pushes, 8 and 21 fewer states, and 9 and 17 more than four
# million, which makes their measures run too long on a shared machine.
# The rows with a third column are two-room stages, from a run over seeds 1
# to 30 (28 gave a stage): five of the nineteen with 11 to 18 pushes and
# fewer than a million states, picked by hand for the kinds their shortest
# solutions cannot do without, for five of the six shallowest slots of the upper
# forty whose idea named a kind the stage could do without (strict slots
# aside). They make the step from the architect's top stages to the deep
# ones.
while read -r slot seed count; do
  [ -z "$slot" ] && continue
  # A third column asks for that many rooms, with a lower bar for pushes.
  more=""
  [ -n "$count" ] && more="--rooms $count --min-pushes 10"
  # shellcheck disable=SC2086
  line=$(RARA3_ROOMS_STORY=1 nice -n 15 "$rooms" --seed "$seed" --out "$tmp" $more 2> "$out/slot$slot.rooms")
  mv "$tmp/$seed.txt" "$out/slot$slot.txt"
  echo "slot $slot seed $seed rooms: $line" > "$out/slot$slot.log"
done <<'SEEDS'
15 1
29 4
27 5
68 10
14 11
91 12
30 14
32 22
79 23
33 25
72 7 2
39 11 2
45 19 2
50 6 2
65 1 2
SEEDS
