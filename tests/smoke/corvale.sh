#!/usr/bin/env bash
# Smoke test of the installed program itself: started as the user starts it, on the
# test X server with a fresh profile folder. Its main window must appear under its
# caption, drawn (face colour on the left, the black player on the right), and the
# start-up registration must have written its profile entries. Then the X server's own
# pointer clicks record and, a second later, stop: the record button must look disabled
# while recording, the information box must show, and Temp.wav must be a whole wave file.
# Under a window manager (CORVALE_SMOKE_WM, see program.bash) the frameless window must
# also stay unframed, be active, minimise and come back drawn.
# Usage: bash corvale.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
source "$(dirname "$0")/program.bash"
smoke_setup corvale "$build"
caption="www.corvale.example   Lirovan"
wav="$build/Temp.wav"
rm -f "$wav"
smoke_start "$build/corvale" XDG_CONFIG_HOME="$work/config"

for _ in $(seq 1 300); do
  xwininfo -display "$display" -name "$caption" >"$work/win" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window showed"
  sleep 0.1
done
[ -s "$work/win" ] || fail "no window titled \"$caption\" within 30 s"
sleep 1  # the first paint
screenshot "$shot"
id=$(awk '/Window id:/ {print $4; exit}' "$work/win")
x=$(awk '/Absolute upper-left X/ {print $NF}' "$work/win")
y=$(awk '/Absolute upper-left Y/ {print $NF}' "$work/win")
w=$(awk '/Width:/ {print $NF}' "$work/win")
h=$(awk '/Height:/ {print $NF}' "$work/win")
echo "$smoke_tag: window $id at $x,$y size ${w}x$h; screenshot $shot"
[ "$w" -ge 615 ] && [ "$h" -ge 450 ] || fail "the window is ${w}x$h, smaller than its 615x450 client area"
# The client area (615 x 450) sits in the frame's bottom part, equal borders on the sides.
border=$(((w - 615) / 2))
cx=$((x + border)) cy=$((y + h - border - 450))

status=0
check() {  # what x y rgb [png]
  local got
  got=$(pixel "${5:-$shot}" "$2" "$3")
  [ "$got" = "$4" ] || { echo "$smoke_tag: $1 at $2,$3 is $got, expected $4" >&2; status=1; }
}
check "face below the buttons" $((x + 10)) $((y + h - 12)) "212,208,200"
check "video area" $((x + w - 120)) $((y + h / 2)) "0,0,0"

# The start-up registration.
ini="$work/config/corvale"
grep -q "^avi=AVIVideo" "$ini/win.ini" 2>/dev/null || { echo "$smoke_tag: win.ini lacks avi=AVIVideo" >&2; status=1; }
[ "$(grep -c "=MPEGVideo" "$ini/win.ini" 2>/dev/null)" = 5 ] || { echo "$smoke_tag: win.ini lacks the MPEG entries" >&2; status=1; }
grep -q "^MPEGVideo=mciqtz.drv" "$ini/system.ini" 2>/dev/null ||
  { echo "$smoke_tag: system.ini lacks MPEGVideo" >&2; status=1; }

if [ "$wm" = openbox ]; then
  wm_checks "$(printf '%d' "$id")" $((x + 10)) $((y + h - 12)) "212,208,200"
fi

# A recording with the real pointer: record (client 16,344, 59 x 25), stop (80,344).
start_hash=$(region_hash "$shot" $((cx + 16)) $((cy + 344)) 59 25)
click $((cx + 45)) $((cy + 356)) || fail "xdotool could not click"
recording() {
  screenshot "$work/now.png"
  [ "$(region_hash "$work/now.png" $((cx + 16)) $((cy + 344)) 59 25)" != "$start_hash" ]
}
wait_for 30 recording || { echo "$smoke_tag: the record button looks the same after the click" >&2; status=1; }
cp "$work/now.png" "$artifacts/${smoke_tag}_recording.png"
[ -s "$wav" ] || { echo "$smoke_tag: record wrote no $wav" >&2; status=1; }
sleep 1
click $((cx + 109)) $((cy + 356))
box=""
found_box() { box=$(window_id "信息"); [ -n "$box" ]; }
if wait_for 100 found_box; then
  sleep 0.5
  screenshot "$artifacts/${smoke_tag}_saved.png"
  [ -z "$(window_id "错误")" ] || { echo "$smoke_tag: an error box showed" >&2; status=1; }
  # Its default button answers the Return key.
  xdo windowactivate "$box" 2>/dev/null || xdo windowfocus "$box"
  xdo key Return
  gone() { [ -z "$(window_id "信息")" ]; }
  wait_for 50 gone || { echo "$smoke_tag: the information box did not close on Return" >&2; status=1; }
else
  screenshot "$artifacts/${smoke_tag}_saved.png"
  echo "$smoke_tag: no information box after stop (error box: $(window_id "错误"))" >&2
  status=1
fi
# A whole wave file: RIFF size = file size - 8, data after the 44-byte header.
size=$(stat -c %s "$wav" 2>/dev/null || echo 0)
riff=$(od -An -tu4 -j4 -N4 "$wav" 2>/dev/null | tr -d ' ')
[ "$(head -c4 "$wav" 2>/dev/null)" = RIFF ] && [ "$riff" = $((size - 8)) ] && [ "$size" -gt 1000 ] ||
  { echo "$smoke_tag: $wav is no whole recording (size $size, RIFF size $riff)" >&2; status=1; }
echo "$smoke_tag: recorded $size bytes"

kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
[ $status = 0 ] || sed 's/^/  program: /' "$work/program.log" >&2
exit $status
