#!/usr/bin/env bash
# The skin authors' tool end to end: the Slate skin packed, unpacked and packed again
# gives the same skin; inspect reports it without warnings; bad input gives a message
# and a non-zero status, never a crash.
# Usage: bash skintool.sh <build dir> <source dir>
set -u
build=${1:?build folder}
src=${2:?source folder}
tool="$build/skintool"
work=$(mktemp -d /tmp/skintool-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "skintool test: $*" >&2; failures=$((failures + 1)); }
# expect <status> <text in stderr or stdout> <command...>
expect() {
  local want=$1 text=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" = "$want" ] || fail "'$*' ended with $got, expected $want: $(cat "$work/err")"
  grep -qF -- "$text" "$work/out" "$work/err" || fail "'$*' did not say '$text'"
}

python3 "$src/skins/make_skin.py" "$work/slate" >/dev/null || { echo "skin generator failed" >&2; exit 1; }
expect 0 "packed" "$tool" pack "$work/slate/skin.ini" "$work/a.skn"
expect 0 "warnings: 0" "$tool" inspect "$work/a.skn"
grep -q "^version 3" "$work/out" || fail "inspect does not report version 3"
mkdir "$work/out1"
expect 0 "unpacked" "$tool" unpack "$work/a.skn" "$work/out1"
# The stored text has the lines of the source, ended by CR LF.
cmp -s <(tr -d '\r' <"$work/slate/skin.ini") <(tr -d '\r' <"$work/out1/skin.ini") ||
  fail "the unpacked INI differs from the source"
expect 0 "packed" "$tool" pack "$work/out1/skin.ini" "$work/b.skn"
cmp -s "$work/a.skn" "$work/b.skn" || fail "packing the unpacked skin gives another file"

# Bad input.
expect 2 "usage" "$tool"
expect 2 "usage" "$tool" frobnicate x
expect 1 "skintool:" "$tool" inspect "$work/missing.skn"
expect 1 "skintool:" "$tool" unpack "$work/a.skn" "$work/no-such-folder"
head -c 40 "$work/a.skn" >"$work/short.skn"
expect 1 "skintool:" "$tool" inspect "$work/short.skn"
python3 - "$work/a.skn" "$work/flipped.skn" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
for i in range(60, len(data), 97):
    data[i] ^= 0x5A
open(sys.argv[2], 'wb').write(data)
PY
expect 1 "skintool:" "$tool" inspect "$work/flipped.skn"
printf '[VERSION]\nskinname=x\n' >"$work/partial.ini"
expect 1 "no section" "$tool" pack "$work/partial.ini" "$work/c.skn"

[ "$failures" = 0 ] || exit 1
echo "skintool test: passed"
