#!/usr/bin/env bash
# Smoke test of the skinned form's frame on a real X server: the program's main window
# (default frame, no platform caption) is dragged by its caption with the X server's own
# pointer and must move by the drag; a double click on the caption must roll it up to
# the caption's height, and a second one must unroll it. The window carries the icon the
# package installs in _NET_WM_ICON, for window managers and task bars.
# Under a window manager (CORVALE_SMOKE_WM, see program.bash) the same must hold.
# Usage: bash form_frame.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
source "$(dirname "$0")/program.bash"
smoke_setup form_frame "$build"
caption="www.corvale.example   Lirovan"
smoke_start "$build/corvale" XDG_CONFIG_HOME="$work/config"

for _ in $(seq 1 300); do
  xwininfo -display "$display" -name "$caption" >"$work/win" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window showed"
  sleep 0.1
done
[ -s "$work/win" ] || fail "no window titled \"$caption\" within 30 s"
sleep 1  # the first paint
id=$(awk '/Window id:/ {print $4; exit}' "$work/win")

# geometry: "x y w h" of the window now.
geometry() {
  xwininfo -display "$display" -id "$id" 2>/dev/null |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF}
         END {print x, y, w, h}'
}
read -r x y w h <<<"$(geometry)"
echo "$smoke_tag: window at $x,$y size ${w}x$h"
screenshot "$shot"

status=0
# The caption: ribs of highlight and shadow at y = 5 and 6, left of the buttons.
check() {  # what x y rgb [png]
  local got
  got=$(pixel "${5:-$shot}" "$2" "$3")
  [ "$got" = "$4" ] || { echo "$smoke_tag: $1 at $2,$3 is $got, expected $4" >&2; status=1; }
}
check "outer ring" "$x" $((y + 40)) "212,208,200"
check "caption rib" $((x + 30)) $((y + 5)) "255,255,255"
check "caption rib" $((x + 30)) $((y + 6)) "128,128,128"

# Drag by the caption (left of the text, right of the system-menu button) by (+70, +50).
gx=$((x + 40)) gy=$((y + 10))
xdo mousemove --sync "$gx" "$gy"
xdo mousedown 1
for i in 1 2 3 4 5 6 7; do
  xdo mousemove --sync $((gx + 10 * i)) $((gy + 50 * i / 7))
  sleep 0.05
done
sleep 0.2
xdo mouseup 1
moved() {
  read -r nx ny _ _ <<<"$(geometry)"
  [ "$nx" = $((x + 70)) ] && [ "$ny" = $((y + 50)) ]
}
if ! wait_for 30 moved; then
  read -r nx ny _ _ <<<"$(geometry)"
  echo "$smoke_tag: dragged by (70, 50) from $x,$y, the window is at $nx,$ny" >&2
  status=1
fi
read -r x y w h <<<"$(geometry)"
sleep 0.3
screenshot "$artifacts/${smoke_tag}_moved.png"
check "caption rib after the move" $((x + 30)) $((y + 5)) "255,255,255" "$artifacts/${smoke_tag}_moved.png"

# Double click on the caption: rolled up to the caption's height (25), then back.
xdo mousemove --sync $((x + 40)) $((y + 10))
sleep 0.3
xdo click --repeat 2 --delay 60 1
rolled() { read -r _ _ _ rh <<<"$(geometry)"; [ "$rh" = 25 ]; }
if ! wait_for 30 rolled; then
  read -r _ _ _ rh <<<"$(geometry)"
  echo "$smoke_tag: a double click on the caption left the height at $rh, expected 25" >&2
  status=1
fi
sleep 0.3
screenshot "$artifacts/${smoke_tag}_rolled.png"
read -r rx ry _ _ <<<"$(geometry)"
[ "$rx,$ry" = "$x,$y" ] || { echo "$smoke_tag: rolling up moved the window to $rx,$ry" >&2; status=1; }
sleep 0.6  # not a triple click
xdo click --repeat 2 --delay 60 1
unrolled() { read -r _ _ _ uh <<<"$(geometry)"; [ "$uh" = "$h" ]; }
if ! wait_for 30 unrolled; then
  read -r _ _ _ uh <<<"$(geometry)"
  echo "$smoke_tag: a second double click left the height at $uh, expected $h" >&2
  status=1
fi
screenshot "$artifacts/${smoke_tag}_unrolled.png"

# The icon property, one value a line: width, height, then 0xAARRGGBB a pixel.
png="${2:?source folder}/packaging/icons/corvale.png"
xprop -display "$display" -id "$id" -len 4194304 -notype -f _NET_WM_ICON 32c ' = $0+' _NET_WM_ICON 2>/dev/null |
  sed -n 's/^_NET_WM_ICON = //p' | tr -d ' ' | tr ',' '\n' | grep . >"$work/icon"
size=$(head -n2 "$work/icon" | paste -sd' ')
[ "$size" = "$(identify -format '%w %h' "$png")" ] || fail "the window's icon is \"$size\", not the package's"
for p in "40 220" "170 100" "96 100"; do  # the ground, the play sign, the microphone
  read -r px py <<<"$p"
  want=$(convert "$png" -format "%[fx:round(255*p{$px,$py}.r)] %[fx:round(255*p{$px,$py}.g)] %[fx:round(255*p{$px,$py}.b)]" info:)
  got=$(sed -n "$((3 + py * ${size% *} + px))p" "$work/icon")
  [ "$want" = "$(((got >> 16) & 255)) $(((got >> 8) & 255)) $((got & 255))" ] && [ $((got >> 24)) = 255 ] ||
    { echo "$smoke_tag: icon pixel $px,$py is $got, the package's $want" >&2; status=1; }
done

kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
[ $status = 0 ] || sed 's/^/  program: /' "$work/program.log" >&2
exit $status
