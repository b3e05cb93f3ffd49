# Sourced by the command-line tests: a scratch folder ($work) removed at
# exit, fail() counting what failed for the exit status, and the byte
# helpers the data-file checks use.
work=$(mktemp -d "${TMPDIR:-/tmp}/rara3-cli-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
byte_at() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
put_byte() { printf "\\$(printf %o "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
