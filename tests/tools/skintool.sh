#!/usr/bin/env bash
# The skin authors' tool end to end: the Slate skin packed, unpacked and packed again
# gives the same skin; inspect reports it without warnings; bad input gives a message
# and a non-zero status, never a crash; pictures in folders unpack into those folders,
# never outside the output folder and never over existing files unless asked; the INI
# text travels byte for byte; command-line conventions hold, with a quiet standard error.
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
# expect_clean: as expect, and nothing on standard error (no toolkit chatter either).
expect_clean() {
  expect "$@"
  [ -s "$work/err" ] && fail "'${*:3}' wrote to standard error: $(head -c 300 "$work/err")"
  return 0
}
# Runs without a runtime folder or a chosen platform, as a plain shell or CI job may.
unset XDG_RUNTIME_DIR QT_QPA_PLATFORM

python3 "$src/skins/make_skin.py" "$work/slate" >/dev/null || { echo "skin generator failed" >&2; exit 1; }
expect_clean 0 "packed" "$tool" pack "$work/slate/skin.ini" "$work/a.skn"
expect_clean 0 "warnings: 0" "$tool" inspect "$work/a.skn"
grep -q "^version 3" "$work/out" || fail "inspect does not report version 3"
mkdir "$work/out1"
expect_clean 0 "unpacked" "$tool" unpack "$work/a.skn" "$work/out1"
# The stored text has the lines of the source, ended by CR LF.
cmp -s <(tr -d '\r' <"$work/slate/skin.ini") <(tr -d '\r' <"$work/out1/skin.ini") ||
  fail "the unpacked INI differs from the source"
expect 0 "packed" "$tool" pack "$work/out1/skin.ini" "$work/b.skn"
cmp -s "$work/a.skn" "$work/b.skn" || fail "packing the unpacked skin gives another file"

# Command-line conventions: help and version on standard output with status 0, usage
# errors on standard error with status 2.
expect_clean 0 "usage: skintool" "$tool" --help
grep -q "unpack \[--force\]" "$work/out" || fail "--help does not print the usage on standard output"
expect_clean 0 "usage: skintool" "$tool" inspect -h
expect_clean 0 "skintool " "$tool" --version
grep -Eq "^skintool [0-9]" "$work/out" || fail "--version does not print a version"
for args in "" "frobnicate x" "inspect" "inspect a b" "unpack --bogus a b" "pack --force a b"; do
  # shellcheck disable=SC2086
  expect 2 "usage: skintool" "$tool" $args
  [ -s "$work/out" ] && fail "'skintool $args' wrote its usage error to standard output"
done

# Bad input.
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

# The INI text is stored byte for byte: a byte-order mark stays, and the sections behind
# it are read all the same.
mkdir "$work/bom" "$work/bom-out"
cp "$work/slate/"*.bmp "$work/bom/"
{ printf '\xEF\xBB\xBF'; cat "$work/slate/skin.ini"; } >"$work/bom/skin.ini"
expect_clean 0 "packed" "$tool" pack "$work/bom/skin.ini" "$work/bom.skn"
expect_clean 0 "warnings: 0" "$tool" inspect "$work/bom.skn"
grep -q "^skin Slate by" "$work/out" || fail "inspect does not read the section behind a byte-order mark"
expect_clean 0 "unpacked" "$tool" unpack "$work/bom.skn" "$work/bom-out"
[ "$(head -c 3 "$work/bom-out/skin.ini" | od -An -tx1 | tr -d ' ')" = efbbbf ] ||
  fail "the byte-order mark of the INI was not stored"
cmp -s <(tr -d '\r' <"$work/bom/skin.ini") <(tr -d '\r' <"$work/bom-out/skin.ini") ||
  fail "the unpacked INI with a byte-order mark differs from the source"

# A picture name that is missing or empty is named by its section and key when packing.
mkdir "$work/names"
cp "$work/slate/frame.bmp" "$work/names/"
ini() { printf '[VERSION]\nskinname=T\n[PICTURES]\npicture=frame.bmp\n%b[FORMINFO]\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n' "$1"; }
ini 'activepicturescount=2\n0=frame.bmp\n' >"$work/names/skin.ini"
expect 1 "[PICTURES] 1:" "$tool" pack "$work/names/skin.ini" "$work/names.skn"
ini 'activepicturescount=1\n0=\n' >"$work/names/skin.ini"
expect 1 "[PICTURES] 0:" "$tool" pack "$work/names/skin.ini" "$work/names.skn"
grep -q "Is a directory\|underflow" "$work/err" && fail "packing an empty name gives a stream library's message"
ini 'mask=gone.bmp\n' >"$work/names/skin.ini"
expect 1 "[PICTURES] mask:" "$tool" pack "$work/names/skin.ini" "$work/names.skn"

# A stored skin whose name list counts more pictures than it names: it loads, the
# missing names are reported, and the pictures unpack under stand-in names.
python3 - "$src/fuzz/corpus/skin_stream/count_beyond_names.bin" "$work/fewnames.skn" <<'PY'
import struct, sys, zlib
packed = zlib.compress(open(sys.argv[1], 'rb').read(), 9)
open(sys.argv[2], 'wb').write(struct.pack('<ii', 3, len(packed)) + packed)
PY
expect_clean 0 "warnings: 2" "$tool" inspect "$work/fewnames.skn"
grep -q "\[PICTURES\] 2: picture 2 has no file name" "$work/out" || fail "inspect does not report a missing picture name"
mkdir "$work/fewnames-out"
expect_clean 0 "unpacked" "$tool" unpack "$work/fewnames.skn" "$work/fewnames-out"
for f in a.bmp picture1.bmp picture2.bmp; do
  [ -f "$work/fewnames-out/$f" ] || fail "unpacking a skin with missing names did not write $f"
done

# Pictures in folders unpack into those folders; two of one file name both survive.
mkdir -p "$work/dirs/a" "$work/dirs/b" "$work/dirs-out"
cp "$work/slate/frame.bmp" "$work/dirs/"
cp "$work/slate/controls.bmp" "$work/dirs/a/x.bmp"
cp "$work/slate/windows.bmp" "$work/dirs/b/x.bmp"
ini 'activepicturescount=2\n0=a/x.bmp\n1=./b//x.bmp\n' >"$work/dirs/skin.ini"
expect_clean 0 "packed" "$tool" pack "$work/dirs/skin.ini" "$work/dirs.skn"
expect_clean 0 "unpacked" "$tool" unpack "$work/dirs.skn" "$work/dirs-out"
for f in frame.bmp a/x.bmp b/x.bmp skin.ini; do
  [ -f "$work/dirs-out/$f" ] || fail "unpacking did not write $f"
done
cmp -s "$work/dirs-out/a/x.bmp" "$work/dirs-out/b/x.bmp" && fail "a/x.bmp and b/x.bmp unpacked to the same image"
expect_clean 0 "packed" "$tool" pack "$work/dirs-out/skin.ini" "$work/dirs2.skn"
cmp -s "$work/dirs.skn" "$work/dirs2.skn" || fail "repacking pictures in folders gives another skin"

# Existing files are kept unless --force is given; nothing at all is written then.
mkdir -p "$work/keep/a"
echo keep >"$work/keep/a/x.bmp"
expect 1 "--force" "$tool" unpack "$work/dirs.skn" "$work/keep"
[ "$(cat "$work/keep/a/x.bmp")" = keep ] || fail "unpack overwrote an existing file without --force"
[ -e "$work/keep/frame.bmp" ] && fail "unpack wrote files before refusing to overwrite one"
expect_clean 0 "unpacked" "$tool" unpack --force "$work/dirs.skn" "$work/keep"
cmp -s "$work/keep/a/x.bmp" "$work/dirs-out/a/x.bmp" || fail "unpack --force did not overwrite the file"

# Names that are absolute or climb out of the output folder are refused before anything
# is written.
mkdir -p "$work/evil/inner" "$work/deep/out"
cp "$work/slate/frame.bmp" "$work/evil/inner/"
cp "$work/slate/windows.bmp" "$work/evil/up.bmp"
cp "$work/slate/windows.bmp" "$work/evil/inner/abs.bmp"
ini 'activepicturescount=1\n0=../up.bmp\n' >"$work/evil/inner/skin.ini"
expect 0 "packed" "$tool" pack "$work/evil/inner/skin.ini" "$work/up.skn"
expect 1 "climbs out" "$tool" unpack "$work/up.skn" "$work/deep/out"
[ -e "$work/deep/up.bmp" ] && fail "unpack wrote a picture outside the output folder"
[ -z "$(ls -A "$work/deep/out")" ] || fail "unpack wrote files before refusing a name"
ini 'activepicturescount=1\n0=/abs.bmp\n' >"$work/evil/inner/skin.ini"
expect 0 "packed" "$tool" pack "$work/evil/inner/skin.ini" "$work/abs.skn"
expect 1 "absolute" "$tool" unpack "$work/abs.skn" "$work/deep/out"
[ -z "$(ls -A "$work/deep/out")" ] || fail "unpack wrote files before refusing an absolute name"

# inspect: an object's normal image lies in the frame picture unless skinrectinapicture
# is set; sections whose names differ only in case are one section and are reported.
mkdir "$work/objs"
cp "$work/slate/frame.bmp" "$work/objs/"
cp "$work/slate/background.bmp" "$work/objs/small.bmp"
{
  ini 'activepicturescount=1\n0=small.bmp\n' | sed 's/^\[SKINOBJECTS\]$/[SKINOBJECTS]\ncount=3\n0=close:button\n1=max:button\n2=min:button/; /^count=0$/d'
  printf '[close]\nactivepictureindex=0\nskinrectinapicture=0\nskinrect=100,10,120,30\nactiveskinrect=0,0,20,20\n'
  printf '[max]\nactivepictureindex=0\nskinrectinapicture=1\nskinrect=100,10,120,30\n'
  printf '[min]\nactivepictureindex=0\nskinrect=300,190,340,210\n'
  printf '[Close]\nhint=shadowed\n'
} >"$work/objs/skin.ini"
expect_clean 0 "packed" "$tool" pack "$work/objs/skin.ini" "$work/objs.skn"
expect_clean 0 "warnings: 3" "$tool" inspect "$work/objs.skn"
grep -q "\[close\] skinrect" "$work/out" && fail "inspect warns about a skinrect that lies in the frame picture"
grep -q "\[max\] skinrect 100,10,120,30 lies outside its 32x32 picture" "$work/out" ||
  fail "inspect does not check a skinrect in the active picture against it"
grep -q "\[min\] skinrect 300,190,340,210 lies outside its 320x140 picture" "$work/out" ||
  fail "inspect does not check a skinrect in the frame picture against it"
grep -q "\[Close\] differs from \[close\] only in case" "$work/out" ||
  fail "inspect says nothing about sections that differ only in case"

[ "$failures" = 0 ] || exit 1
echo "skintool test: passed"
