#!/usr/bin/env bash
# skintool preview: the main window drawn from its stored layout without a display, in
# the default look (--empty) and with the Slate skin, resized, and the controls gallery;
# the PNGs are checked for the frame's pixels. A corrupt or missing skin gives status 1
# and a message and writes no picture; the preview writes no profile entries.
# Usage: bash preview.sh <build dir> <source dir>
set -u
build=${1:?build folder}
src=${2:?source folder}
tool="$build/skintool"
work=$(mktemp -d /tmp/skintool-preview.XXXXXX)
trap 'rm -rf "$work"' EXIT
artifacts="$build/test-artifacts"
mkdir -p "$artifacts"
failures=0
fail() { echo "preview test: $*" >&2; failures=$((failures + 1)); }
# run <status> <command...>: output in $work/out and $work/err.
run() {
  local want=$1
  shift
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" = "$want" ] || fail "'$*' ended with $got, expected $want: $(head -c 400 "$work/err")"
}
pixel() {  # <png> <x> <y> -> r,g,b
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}
size() { identify -format "%wx%h" "$1"; }
region() {  # <png> <x> <y> <w> <h> -> checksum
  convert "$1" -crop "$4x$5+$2+$3" +repage -format "%#" info:
}
expect_pixel() {  # <what> <png> <x> <y> <rgb>
  local got
  got=$(pixel "$2" "$3" "$4")
  [ "$got" = "$5" ] || fail "$1 at $3,$4 of $(basename "$2") is $got, expected $5"
}
# No display, no platform chosen, a home and a configuration folder of its own.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_RUNTIME_DIR
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"

python3 "$src/skins/make_skin.py" "$work/slate" >/dev/null || { echo "skin generator failed" >&2; exit 1; }
"$tool" pack "$work/slate/skin.ini" "$work/slate.skn" >/dev/null || { echo "packing Slate failed" >&2; exit 1; }

# The default look: the form component's default frame around the 615 x 450 client.
def="$artifacts/preview_default.png"
run 0 "$tool" preview --empty "$def"
[ -s "$work/err" ] && fail "preview wrote to standard error: $(head -c 300 "$work/err")"
grep -q "preview of the default look" "$work/out" || fail "preview did not say what it wrote"
[ "$(size "$def")" = 621x475 ] || fail "the default preview is $(size "$def"), expected 621x475"
expect_pixel "outer frame ring" "$def" 0 200 "212,208,200"
expect_pixel "outer frame ring, right" "$def" 620 200 "64,64,64"
expect_pixel "second frame ring" "$def" 1 200 "255,255,255"
expect_pixel "second frame ring, right" "$def" 619 200 "128,128,128"
expect_pixel "caption rib, light" "$def" 26 5 "255,255,255"
expect_pixel "caption rib, dark" "$def" 26 6 "128,128,128"
expect_pixel "face below the buttons" "$def" $((3 + 8)) $((22 + 430)) "212,208,200"
expect_pixel "the idle player's area" "$def" $((3 + 144 + 200)) $((22 + 8 + 200)) "0,0,0"
dark=$(convert "$def" -crop 17x17+601+4 +repage -fill white +opaque black -format "%[fx:round(w*h*(1-mean))]" info:)
[ "${dark:-0}" -gt 4 ] || fail "no close glyph at the right of the caption ($dark black pixels)"
[ -e "$XDG_CONFIG_HOME/corvale" ] && fail "the preview wrote profile entries"

# Slate: the frame comes from the skin's picture.
sl="$artifacts/preview_slate.png"
run 0 "$tool" preview "$work/slate.skn" "$sl"
[ -s "$work/err" ] && fail "preview of Slate wrote to standard error: $(head -c 300 "$work/err")"
picture=$(sed -n 's/^picture=\(.*\)\r\?$/\1/p' "$work/slate/skin.ini" | tr -d '\r' | head -n1)
[ -f "$work/slate/$picture" ] || fail "Slate's frame picture '$picture' is missing"
expect_pixel "Slate's frame corner" "$sl" 1 1 "$(pixel "$work/slate/$picture" 1 1)"
[ "$(pixel "$sl" 0 200)" = "212,208,200" ] && [ "$(pixel "$sl" 1 200)" = "255,255,255" ] &&
  fail "the Slate preview has the default frame"
[ "$(size "$sl")" = "$(size "$def")" ] && [ "$(region "$sl" 0 0 621 60)" = "$(region "$def" 0 0 621 60)" ] &&
  fail "the Slate preview's caption equals the default one"

# Resized: the window takes the size, the caption buttons stay at the right edge.
big="$artifacts/preview_default_800x600.png"
run 0 "$tool" preview --size 800x600 --empty "$big"
[ "$(size "$big")" = 800x600 ] || fail "--size 800x600 gave $(size "$big")"
[ "$(region "$big" 780 4 17 17)" = "$(region "$def" 601 4 17 17)" ] ||
  fail "the close button of the resized window is not at its right edge"
expect_pixel "outer frame ring of the resized window" "$big" 799 300 "64,64,64"
run 0 "$tool" preview --size=700x500 "$work/slate.skn" "$work/slate-700.png"
[ "$(size "$work/slate-700.png")" = 700x500 ] || fail "--size=700x500 gave $(size "$work/slate-700.png")"

# The gallery: with no skin both columns look the same, with Slate they differ.
run 0 "$tool" preview --gallery --empty "$work/gallery-empty.png"
run 0 "$tool" preview --gallery "$work/slate.skn" "$artifacts/preview_gallery_slate.png"
g="$work/gallery-empty.png"
gs="$artifacts/preview_gallery_slate.png"
w=$(identify -format "%w" "$g") h=$(identify -format "%h" "$g")
[ "$w" -ge 740 ] && [ "$h" -ge 200 ] || fail "the gallery preview is only ${w}x$h"
b=$(((w - 740) / 2)) rows=$((h - 80))
[ "$(region "$g" $((b + 10)) 70 350 $rows)" = "$(region "$g" $((b + 380)) 70 350 $rows)" ] ||
  fail "with no skin the gallery's two columns differ"
[ "$(region "$gs" $((b + 10)) 70 350 $rows)" = "$(region "$gs" $((b + 380)) 70 350 $rows)" ] &&
  fail "with Slate the gallery's two columns look the same"

# Bad input: status 1, a message, no picture.
head -c 40 "$work/slate.skn" >"$work/short.skn"
python3 - "$work/slate.skn" "$work/corrupt.skn" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
for i in range(40, len(data), 61):
    data[i] ^= 0x5A
open(sys.argv[2], 'wb').write(data)
PY
for bad in corrupt.skn short.skn missing.skn; do
  run 1 "$tool" preview "$work/$bad" "$work/bad.png"
  grep -q "^skintool: " "$work/err" || fail "preview of $bad gave no message"
  [ -e "$work/bad.png" ] && fail "preview of $bad wrote a picture"
done
printf 'not a skin at all' >"$work/text.skn"
run 1 "$tool" preview "$work/text.skn" "$work/bad.png"
run 1 "$tool" preview --empty "$work/no-such-folder/out.png"
grep -q "^skintool: " "$work/err" || fail "an unwritable output gave no message"

# A skin folder reads as its packed file: the same picture, the same inspection. (The
# caption's text is left out: its cross-fade may be caught at another step.)
run 0 "$tool" preview "$work/slate" "$work/slate-folder.png"
[ "$(region "$work/slate-folder.png" 0 30 625 451)" = "$(region "$sl" 0 30 625 451)" ] ||
  fail "the preview of the Slate folder differs from that of the packed Slate"
"$tool" inspect "$work/slate.skn" >"$work/inspect-file" 2>&1
run 0 "$tool" inspect "$work/slate"
cmp -s "$work/out" "$work/inspect-file" || fail "inspect of the Slate folder differs from inspect of the packed Slate"

# --watch: the picture is drawn again for each change of the folder; a broken change
# keeps the last picture and says why with file and line.
python3 "$src/skins/make_skin.py" --palette night "$work/night" >/dev/null || fail "the Night generator failed"
watched="$work/watched.png"
"$tool" preview "$work/slate" "$watched" --watch >"$work/watch.out" 2>"$work/watch.err" &
watcher=$!
trap 'kill $watcher 2>/dev/null; rm -rf "$work"' EXIT
said() { grep -q "$1" "$work/watch.out"; }
wait_said() { for _ in $(seq 1 300); do said "$1" && return 0; sleep 0.1; done; return 1; }
wait_said "^watching $work/slate" || fail "preview --watch did not start watching: $(cat "$work/watch.err")"
[ "$(region "$watched" 0 30 625 451)" = "$(region "$sl" 0 30 625 451)" ] || fail "the first watched picture is not Slate's"
cp "$work/night/"* "$work/slate/"
wait_said "(reload 2) -> $watched" || fail "no picture after the folder changed: $(cat "$work/watch.err")"
sleep 0.5
expect_pixel "Night's frame corner" "$watched" 1 1 "$(pixel "$work/night/$picture" 1 1)"
cp "$watched" "$work/night-watched.png"
line=$(grep -n "^clientrect=" "$work/slate/skin.ini" | head -n1 | cut -d: -f1)
sed -i "${line}s/.*/clientrect=5/" "$work/slate/skin.ini"
for _ in $(seq 1 100); do grep -q "skin.ini:$line:" "$work/watch.err" && break; sleep 0.1; done
grep -q "^skintool: $work/slate/skin.ini:$line: \[FORMINFO\] clientrect: '5' is not a valid rectangle" "$work/watch.err" ||
  fail "a broken skin.ini was not named by file and line: $(cat "$work/watch.err")"
cmp -s "$watched" "$work/night-watched.png" || fail "a broken skin changed the picture"
kill $watcher 2>/dev/null

# Usage errors.
for args in "preview --empty" "preview a b c" "preview --size 10 --empty x.png" "preview --size 0x5 --empty x.png" \
            "inspect --empty" "pack --gallery a b" "preview --watch --empty x.png" "inspect --watch a"; do
  # shellcheck disable=SC2086
  run 2 "$tool" $args
  grep -q "usage: skintool" "$work/err" || fail "'skintool $args' did not print the usage"
done

[ "$failures" = 0 ] || exit 1
echo "preview test: passed"
