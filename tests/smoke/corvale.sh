#!/usr/bin/env bash
# Smoke test of the built program itself: started as the user starts it, on the test X
# server with a fresh profile folder. Its main window must appear under its caption,
# inside the skin form's default frame (3-pixel border, ribbed 19-pixel caption), drawn
# (face colour on the left, the black player on the right), and the start-up
# registration must have written its profile entries. Then the X server's own pointer
# clicks record and, a second later, stop at their places inside the frame: the record
# button must look disabled while recording, the information box must show, and
# Temp.wav must be a whole wave file.
# Under a window manager (CORVALE_SMOKE_WM, see program.bash) the frameless window must
# also stay unframed, be active, minimise and come back drawn.
# Usage: bash corvale.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
source "$(dirname "$0")/program.bash"
source "$(dirname "$0")/recording.bash"
smoke_setup corvale "$build"
caption="www.corvale.example   Lirovan"
wav="$build/Temp.wav"
rm -f "$wav"
smoke_start "$build/corvale" XDG_CONFIG_HOME="$work/config"

smoke_wait_window "$caption"
sleep 1  # the first paint
screenshot "$shot"
echo "$smoke_tag: window $id at $x,$y size ${w}x$h; screenshot $shot"
# The default frame: 3-pixel border and 19-pixel caption around the 615 x 450 client.
[ "$w" = 621 ] && [ "$h" = 475 ] || fail "the window is ${w}x$h, not the 621x475 of the default frame"
cx=$((x + 3)) cy=$((y + 22))

status=0
check() {  # what x y rgb [png]
  local got
  got=$(pixel "${5:-$shot}" "$2" "$3")
  [ "$got" = "$4" ] || { echo "$smoke_tag: $1 at $2,$3 is $got, expected $4" >&2; status=1; }
}
check "face below the buttons" $((x + 10)) $((y + h - 12)) "212,208,200"
check "video area" $((x + w - 120)) $((y + h / 2)) "0,0,0"
check "outer frame ring" "$x" $((y + 200)) "212,208,200"
check "second frame ring" $((x + 1)) $((y + 200)) "255,255,255"
check "outer frame ring, right" $((x + w - 1)) $((y + 200)) "64,64,64"
check "caption rib, light" $((x + 26)) $((y + 5)) "255,255,255"
check "caption rib, dark" $((x + 26)) $((y + 6)) "128,128,128"

# The start-up registration.
ini="$work/config/corvale"
grep -q "^avi=AVIVideo" "$ini/win.ini" 2>/dev/null || { echo "$smoke_tag: win.ini lacks avi=AVIVideo" >&2; status=1; }
[ "$(grep -c "=MPEGVideo" "$ini/win.ini" 2>/dev/null)" = 5 ] || { echo "$smoke_tag: win.ini lacks the MPEG entries" >&2; status=1; }
grep -q "^MPEGVideo=mciqtz.drv" "$ini/system.ini" 2>/dev/null ||
  { echo "$smoke_tag: system.ini lacks MPEGVideo" >&2; status=1; }

if [ "$wm" = openbox ]; then
  wm_checks "$(printf '%d' "$id")" $((x + 10)) $((y + h - 12)) "212,208,200"
fi

# A recording with the real pointer.
smoke_record "$cx" "$cy" "$wav" "$shot"

kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
[ $status = 0 ] || sed 's/^/  program: /' "$work/program.log" >&2
exit $status
