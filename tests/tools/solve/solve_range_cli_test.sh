#!/bin/bash
# rara3-solve --all with --from and --to solves exactly the stages of the
# range, writes the solutions of those alone, and counts only them.
# Usage: solve_range_cli_test.sh RARA3_SOLVE SOURCE_DIR
set -u
solve=$1
src=$2
. "$(dirname "$0")/../../support/cli_check.sh"

"$solve" --all "$src/assets/stages" --from 3 --to 4 --markdown --out "$work" \
  > "$work/table.md" 2> "$work/summary.txt" || fail "exit status $?"
rows=$(grep -oE '^\| [0-9]+ ' "$work/table.md" | tr -d '| ' | tr '\n' ' ')
[ "$rows" = "3 4 " ] || fail "rows '$rows', expected '3 4 '"
files=$(cd "$work" && ls ./*.PBD 2>/dev/null | tr '\n' ' ')
[ "$files" = "./003.PBD ./004.PBD " ] || fail "solutions '$files'"
grep -q '^2 stages, 0 not solved' "$work/summary.txt" || fail "summary: $(cat "$work/summary.txt")"
for n in 3 4; do
  cmp -s "$work/00$n.PBD" "$src/assets/solutions/00$n.PBD" || fail "00$n.PBD differs from the shipped one"
done
exit $((failures > 0))
