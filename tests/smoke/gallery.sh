#!/usr/bin/env bash
# Smoke test: the gallery on the test X server with the Slate skin. The screenshot must
# show the default-look buttons (normal frame and face, the pressed group button, the
# disabled one) in the left column and the same buttons drawn from the skin in the right.
# Then a check box clicked with the X server's pointer checks, and Space held on its
# keyboard for a second (the server repeats the key) must uncheck it, once.
# Usage: bash gallery.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
src=${2:?source folder}
source "$(dirname "$0")/program.bash"
smoke_setup gallery "$build"
ready="$work/ready"
rm -f "$shot"
cd "$src" || fail "no source folder $src"
smoke_start "$build/gallery" CORVALE_READY_FILE="$ready" CORVALE_CHECK_FILE="$work/check"

for _ in $(seq 1 300); do
  [ -s "$ready" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the gallery ended before its window showed"
  sleep 0.1
done
[ -s "$ready" ] || fail "the window did not show within 30 s"
for _ in $(seq 1 50); do
  xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Corvale gallery"' && break
  sleep 0.1
done
xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Corvale gallery"' ||
  fail "no window titled \"Corvale gallery\" on $display"
grep -q "gallery:" "$work/program.log" && fail "the gallery reported a problem"
sleep 0.5  # let the first paint reach the server
import -display "$display" -window root "$shot" || fail "screenshot failed"

read -r _ cx cy cw ch <"$ready"
echo "gallery: client area at $cx,$cy size ${cw}x$ch; screenshot $shot"

status=0
expect() {  # what x y rgb (client coordinates)
  local got
  got=$(pixel "$shot" $((cx + $2)) $((cy + $3)))
  if [ "$got" != "$4" ]; then
    echo "gallery: $1 at client $2,$3 is $got, expected $4" >&2
    status=1
  fi
}
# First button row at client y 54; left column x 10, right column x 380.
row=54
expect "default normal frame" 10 $row "128,128,128"
expect "default normal face" 12 $((row + 2)) "212,208,200"
expect "default down frame" 180 $row "0,0,128"
expect "default down fill" 182 $((row + 2)) "133,147,181"
expect "default disabled frame" 265 $((row + 24)) "128,128,128"
expect "default disabled face" 267 $((row + 2)) "212,208,200"
expect "skinned normal border" 381 $row "70,84,110"
expect "skinned disabled border" 636 $row "160,160,160"
# The skinned down button shows the skin's down image, not the default pressed fill.
got=$(pixel "$shot" $((cx + 552)) $((cy + row + 2)))
[ "$got" != "133,147,181" ] || { echo "gallery: the skinned down button shows the default look" >&2; status=1; }

read -r _ bx by _ bh <"$work/check" || fail "the gallery did not report its check box"
changes() { grep -c "check: 'Unchecked' .* (default)" "$work/program.log"; }
click $((bx + 8)) $((by + bh / 2))
wait_for 50 grep -q "check: 'Unchecked' checked (default)" "$work/program.log" || fail "the click checked no box"
xdo keydown space && sleep 1 && xdo keyup space && sleep 0.5
xdo mousemove 0 0  # off the box: a later run's click there is a real move (--sync waits for one)
[ "$(changes)" = 2 ] && grep -q "'Unchecked' unchecked (default)" "$work/program.log" ||
  { echo "gallery: a click and held Space made $(changes) changes of the check box, not 2" >&2; status=1; }
exit $status
