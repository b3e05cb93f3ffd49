#!/bin/bash
# The command lines of the game and the tools: --help and --version print on
# standard output and end with status 0 before any file or the display is
# touched; an unknown option prints the usage on standard error and ends
# with status 2.
# Usage: command_line_test.sh VERSION GAME TOOL...
set -u
version=$1
game=$2
shift 2
fail=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The game alone in a folder, with a home, a runtime folder and a temporary
# folder of its own and no display: whatever it touched would show there.
mkdir -p "$scratch/prog" "$scratch/home" "$scratch/run" "$scratch/tmp"
cp "$game" "$scratch/prog/rara3"
chmod 700 "$scratch/run"
run() {
  env -i PATH=/usr/bin:/bin HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" \
    TMPDIR="$scratch/tmp" "$@" >"$scratch/out" 2>"$scratch/err"
}

check() {  # name program expected-status stdout-pattern stderr-pattern args...
  local name=$1 program=$2 want=$3 outPattern=$4 errPattern=$5
  shift 5
  run "$program" "$@"
  local status=$?
  if [ "$status" != "$want" ]; then
    echo "FAIL $name $*: status $status, expected $want"; cat "$scratch/err"; fail=1; return
  fi
  if [ -n "$outPattern" ] && ! grep -q -- "$outPattern" "$scratch/out"; then
    echo "FAIL $name $*: standard output lacks '$outPattern'"; cat "$scratch/out"; fail=1
  fi
  if [ -z "$outPattern" ] && [ -s "$scratch/out" ]; then
    echo "FAIL $name $*: standard output should be empty"; cat "$scratch/out"; fail=1
  fi
  if [ -n "$errPattern" ] && ! grep -q -- "$errPattern" "$scratch/err"; then
    echo "FAIL $name $*: standard error lacks '$errPattern'"; cat "$scratch/err"; fail=1
  fi
  if [ -z "$errPattern" ] && [ -s "$scratch/err" ]; then
    echo "FAIL $name $*: standard error should be empty"; cat "$scratch/err"; fail=1
  fi
}

for program in "$scratch/prog/rara3" "$@"; do
  name=$(basename "$program")
  check "$name" "$program" 0 "sage" "" --help
  check "$name" "$program" 0 "sage" "" -h
  check "$name" "$program" 0 "^$name (Rara3) $version\$" "" --version
  check "$name" "$program" 2 "" "sage" --no-such-option
done
# The game takes no operands either.
check rara3 "$scratch/prog/rara3" 2 "" "unexpected argument" stage1

for dir in home run tmp; do
  if [ -n "$(ls -A "$scratch/$dir")" ]; then
    echo "FAIL: something was made in the $dir folder:"; ls -lAR "$scratch/$dir"; fail=1
  fi
done
if [ "$(ls -A "$scratch/prog")" != "rara3" ]; then
  echo "FAIL: something was made beside the game:"; ls -lA "$scratch/prog"; fail=1
fi
[ $fail = 0 ] && echo "all command lines answered as expected"
exit $fail
