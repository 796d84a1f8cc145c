#!/usr/bin/env bash
# Smoke test: the controls demo as a real window on the test X server; a screenshot of
# the screen must show the form's face colour and a button's 3-D frame where the demo
# places them, and not the face outside the form. The X server's own pointer then
# clicks Record (the label must change on the screen) and Quit (the demo must end).
# Under a window manager (CORVALE_SMOKE_WM, see program.bash) the window must also be
# active, minimise and come back drawn.
# Usage: bash demo_form.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
source "$(dirname "$0")/program.bash"
smoke_setup demo_form "$build"
ready="$work/ready"
rm -f "$shot"
smoke_start "$build/demoform" CORVALE_READY_FILE="$ready"

for _ in $(seq 1 300); do
  [ -s "$ready" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the demo ended before its window showed"
  sleep 0.1
done
[ -s "$ready" ] || fail "the window did not show within 30 s"
# The window must be mapped on the X server under its title.
for _ in $(seq 1 50); do
  xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Controls demo"' && break
  sleep 0.1
done
xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Controls demo"' ||
  fail "no window titled \"Controls demo\" on $display"
sleep 0.5  # let the first paint reach the server
screenshot "$shot"

read -r _ cx cy cw ch <"$ready"
echo "$smoke_tag: client area at $cx,$cy size ${cw}x$ch; screenshot $shot"

status=0
expect() {  # what x y rgb
  local got
  got=$(pixel "$shot" "$2" "$3")
  if [ "$got" != "$4" ]; then
    echo "$smoke_tag: $1 at $2,$3 is $got, expected $4" >&2
    status=1
  fi
}
expect_not() {  # what x y rgb
  local got
  got=$(pixel "$shot" "$2" "$3")
  if [ "$got" = "$4" ]; then
    echo "$smoke_tag: $1 at $2,$3 is $got, expected anything else" >&2
    status=1
  fi
}
# The record button sits at client (16, 150), 75 x 25.
bx=$((cx + 16)) by=$((cy + 150))
expect "form face" $((cx + 5)) $((cy + 120)) "212,208,200"
expect "form face" $((cx + cw - 6)) $((cy + ch - 6)) "212,208,200"
expect "button face" $((bx + 5)) $((by + 3)) "212,208,200"
expect "button highlight" "$bx" "$by" "255,255,255"
expect "button dark shadow" $((bx + 74)) $((by + 24)) "64,64,64"
expect "button shadow" $((bx + 73)) $((by + 23)) "128,128,128"
# Outside the form the bare screen shows (the server's root pattern, never the face).
for dy in 20 21; do
  expect_not "screen left of the form" $((cx - 30)) $((cy + dy)) "212,208,200"
  expect_not "screen below the form" $((cx + 40)) $((cy + ch + 30 + dy)) "212,208,200"
done

if [ "$wm" = openbox ]; then
  wm_checks "$(window_id "Controls demo")" $((cx + 5)) $((cy + 120)) "212,208,200"
fi

# Record changes the label (client 16,16); Quit ends the program.
label_hash=$(region_hash "$shot" $((cx + 16)) $((cy + 16)) 100 13)
click $((bx + 37)) $((by + 12)) || fail "xdotool could not click"
label_changed() {
  screenshot "$work/now.png"
  [ "$(region_hash "$work/now.png" $((cx + 16)) $((cy + 16)) 100 13)" != "$label_hash" ]
}
wait_for 30 label_changed || { echo "$smoke_tag: the label did not change after a click on Record" >&2; status=1; }
cp "$work/now.png" "$artifacts/${smoke_tag}_clicked.png"
click $((bx + 84 + 37)) $((by + 12))
ended() { ! kill -0 "$pid" 2>/dev/null; }
if wait_for 100 ended; then
  wait "$pid"
  code=$?
  pid=
  [ $code = 0 ] || { echo "$smoke_tag: the demo ended with status $code after Quit" >&2; status=1; }
else
  echo "$smoke_tag: the demo still runs after a click on Quit" >&2
  status=1
fi
[ $status = 0 ] || sed 's/^/  program: /' "$work/program.log" >&2
exit $status
