#!/usr/bin/env bash
# Smoke test of the installed program itself: started as the user starts it, on the
# test X server with a fresh profile folder. Its main window must appear under its
# caption, drawn (face colour on the left, the black player on the right), and the
# start-up registration must have written its profile entries.
# Usage: bash corvale.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
source "$(dirname "$0")/program.bash"
smoke_setup corvale "$build"
caption="www.corvale.example   Lirovan"
smoke_start "$build/corvale" XDG_CONFIG_HOME="$work/config"

for _ in $(seq 1 300); do
  xwininfo -display "$display" -name "$caption" >"$work/win" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window showed"
  sleep 0.1
done
[ -s "$work/win" ] || fail "no window titled \"$caption\" within 30 s"
sleep 1  # the first paint
import -display "$display" -window root "$shot" || fail "screenshot failed"
x=$(awk '/Absolute upper-left X/ {print $NF}' "$work/win")
y=$(awk '/Absolute upper-left Y/ {print $NF}' "$work/win")
w=$(awk '/Width:/ {print $NF}' "$work/win")
h=$(awk '/Height:/ {print $NF}' "$work/win")
echo "corvale: window at $x,$y size ${w}x$h; screenshot $shot"
[ "$w" -ge 615 ] && [ "$h" -ge 450 ] || fail "the window is ${w}x$h, smaller than its 615x450 client area"

status=0
check() {  # what x y rgb
  local got
  got=$(pixel "$shot" "$2" "$3")
  [ "$got" = "$4" ] || { echo "corvale: $1 at $2,$3 is $got, expected $4" >&2; status=1; }
}
check "face below the buttons" $((x + 10)) $((y + h - 12)) "212,208,200"
check "video area" $((x + w - 120)) $((y + h / 2)) "0,0,0"

# The start-up registration.
ini="$work/config/corvale"
grep -q "^avi=AVIVideo" "$ini/win.ini" 2>/dev/null || { echo "corvale: win.ini lacks avi=AVIVideo" >&2; status=1; }
[ "$(grep -c "=MPEGVideo" "$ini/win.ini" 2>/dev/null)" = 5 ] || { echo "corvale: win.ini lacks the MPEG entries" >&2; status=1; }
grep -q "^MPEGVideo=mciqtz.drv" "$ini/system.ini" 2>/dev/null ||
  { echo "corvale: system.ini lacks MPEGVideo" >&2; status=1; }
kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
exit $status
