#!/bin/bash
# Writes docs/stages.md from assets/stages: the stage table, how the set is
# made, the goals (the set before beside this one), the measures per ten
# stages and per stage, and the solver's run over all of them.
#
#   tools/stagegen/write_docs.sh        (RARA3_SOLVE names the solver;
#                                        ONE_CORE=1, MEASURES=FILE, TABLE=FILE below)
set -eu
solve=${RARA3_SOLVE:-build/tools/solve/rara3-solve}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# TABLE=FILE takes the stage table from an earlier run over these same
# stages (the dead ends of the deep ones take long to count).
if [ -n "${TABLE:-}" ]; then
  cp "$TABLE" "$tmp/table.md"
else
  nice "$solve" --all assets/stages --dead-ends --dead-end-states 30000000 --markdown > "$tmp/table.md"
fi
nice "$solve" --all assets/stages --out "$tmp" > "$tmp/run.txt"
# The measures in two halves side by side, one a core; ONE_CORE=1 runs them
# one after the other, for a machine shared with others. MEASURES=FILE takes
# them from an earlier run of rara3-solve --measure over these same stages
# (the deep stages take most of an hour to measure on one core).
if [ -n "${MEASURES:-}" ]; then
  cp "$MEASURES" "$tmp/m1.jsonl"
  : > "$tmp/m2.jsonl"
elif [ -n "${ONE_CORE:-}" ]; then
  nice -n 15 "$solve" --measure assets/stages --from 1 --to 50 > "$tmp/m1.jsonl" 2> "$tmp/measure1.txt"
  nice -n 15 "$solve" --measure assets/stages --from 51 --to 100 > "$tmp/m2.jsonl" 2> "$tmp/measure2.txt"
else
  nice "$solve" --measure assets/stages --from 1 --to 50 > "$tmp/m1.jsonl" 2> "$tmp/measure1.txt" &
  nice "$solve" --measure assets/stages --from 51 --to 100 > "$tmp/m2.jsonl" 2> "$tmp/measure2.txt"
  wait
fi
cat "$tmp/m1.jsonl" "$tmp/m2.jsonl" > "$tmp/measures.jsonl"
{
  cat "$tmp/table.md"
  cat tools/stagegen/making.md
  echo
  echo "## The solver over the whole set"
  echo
  echo "\`rara3-solve --all assets/stages --out DIR\` on this machine (2 shared cores):"
  echo
  echo "    $(tail -1 "$tmp/run.txt")"
  echo
  echo "## Goals"
  echo
  echo "Measured by \`rara3-solve --measure\` and \`tools/stagegen/measure_set.py\`; the old set's"
  echo "figures are kept in \`assets/stage-notes/measures_before.jsonl\`."
  echo
  python3 tools/stagegen/measure_set.py "$tmp/measures.jsonl" --old assets/stage-notes/measures_before.jsonl --section goals
  echo "## Tight rooms, a climb, choices"
  echo
  cat tools/stagegen/shape_legend.md
  echo
  python3 tools/stagegen/measure_set.py "$tmp/measures.jsonl" --old assets/stage-notes/measures_before.jsonl --section shape-goals
  echo
  python3 tools/stagegen/measure_set.py "$tmp/measures.jsonl" --section shape-tens
  echo
  echo "## The curriculum"
  echo
  echo "What each stage's shortest solution uses its boxes for, read off the solution by"
  echo "\`tools/stagegen/curriculum.py\`: first the uses, the stage that brings each in and"
  echo "the stages that come back to it; then one row per stage after the tutorial."
  echo
  python3 tools/stagegen/curriculum.py "$tmp/measures.jsonl"
  echo
  echo "## Per ten stages"
  echo
  python3 tools/stagegen/measure_set.py "$tmp/measures.jsonl" --section tens
  echo
  echo "## Per stage"
  echo
  cat tools/stagegen/measures_legend.md
  echo
  python3 tools/stagegen/measure_set.py "$tmp/measures.jsonl" --section stages
  echo
  echo "## Per stage: the room and the solution"
  echo
  python3 tools/stagegen/measure_set.py "$tmp/measures.jsonl" --section shape-stages
} > docs/stages.md
cp "$tmp/measures.jsonl" assets/stage-notes/measures_now.jsonl
