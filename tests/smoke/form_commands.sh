#!/usr/bin/env bash
# Smoke test of the skinned form's window commands on a real X server, with the controls
# demo's skinned forms (CORVALE_DEMO_SKIN_FORM): the X server's own pointer clicks the
# caption buttons. The main form's maximise button must make the window fill the screen
# less one pixel on every side, and a second click must bring it back; its roll-up
# button must shrink it to the caption's 25 pixels and back. The second form's minimise
# button must turn it into a 120 x 25 bar at the screen's bottom-left corner, and the
# same button on the bar must restore it.
# Under a window manager (CORVALE_SMOKE_WM, see program.bash) the main form's minimise
# button must also minimise the application (the window hidden) and it must come back.
# Usage: bash form_commands.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
source "$(dirname "$0")/program.bash"
smoke_setup form_commands "$build"
main_title="Controls demo"
second_title="Second demo form"
smoke_start "$build/demoform" CORVALE_DEMO_SKIN_FORM=1

win_id() {  # title -> id (hex) once mapped
  xwininfo -display "$display" -name "$1" 2>/dev/null | awk '/Window id:/ {print $4; exit}'
}
for _ in $(seq 1 300); do
  [ -n "$(win_id "$main_title")" ] && [ -n "$(win_id "$second_title")" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the demo ended before its windows showed"
  sleep 0.1
done
main_id=$(win_id "$main_title")
second_id=$(win_id "$second_title")
[ -n "$main_id" ] && [ -n "$second_id" ] || fail "the two demo windows did not show within 30 s"
sleep 1  # the first paint

# geometry <id>: "x y w h" of the window now.
geometry() {
  xwininfo -display "$display" -id "$1" 2>/dev/null |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF}
         END {print x, y, w, h}'
}
read -r sw sh <<<"$(xwininfo -display "$display" -root | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}')"
status=0
check_fail() { echo "$smoke_tag: $*" >&2; status=1; }
# is_at <id> "x y w h": the window has exactly that geometry.
is_at() { [ "$(geometry "$1")" = "$2" ]; }
# press <id> <offset from the right edge>: clicks the caption button centred there.
press() {
  local x y w h
  read -r x y w h <<<"$(geometry "$1")"
  click $((x + w - $2)) $((y + 12)) || fail "xdotool could not click"
}
# Default caption buttons from the right: close, maximise, minimise, roll-up, 17 wide.
max_button=29 min_button=46 rollup_button=63

main_geo=$(geometry "$main_id")
second_geo=$(geometry "$second_id")
echo "$smoke_tag: screen ${sw}x$sh; main form at $main_geo; second form at $second_geo"
screenshot "$shot"

press "$main_id" $max_button
if wait_for 30 is_at "$main_id" "1 1 $((sw - 2)) $((sh - 2))"; then
  screenshot "$artifacts/${smoke_tag}_maximised.png"
  press "$main_id" $max_button
  wait_for 30 is_at "$main_id" "$main_geo" || check_fail "restored, the main form is at $(geometry "$main_id"), expected $main_geo"
else
  check_fail "maximised, the main form is at $(geometry "$main_id"), expected 1 1 $((sw - 2)) $((sh - 2))"
fi

read -r mx my mw mh <<<"$main_geo"
press "$main_id" $rollup_button
if wait_for 30 is_at "$main_id" "$mx $my $mw 25"; then
  screenshot "$artifacts/${smoke_tag}_rolled_up.png"
  press "$main_id" $rollup_button
  wait_for 30 is_at "$main_id" "$main_geo" || check_fail "unrolled, the main form is at $(geometry "$main_id"), expected $main_geo"
else
  check_fail "rolled up, the main form is at $(geometry "$main_id"), expected $mx $my $mw 25"
fi

press "$second_id" $min_button
if wait_for 30 is_at "$second_id" "0 $((sh - 25)) 120 25"; then
  screenshot "$artifacts/${smoke_tag}_minimised_bar.png"
  press "$second_id" $min_button
  wait_for 30 is_at "$second_id" "$second_geo" ||
    check_fail "restored, the second form is at $(geometry "$second_id"), expected $second_geo"
else
  check_fail "minimised, the second form is at $(geometry "$second_id"), expected 0 $((sh - 25)) 120 25"
fi

if [ "$wm" = openbox ]; then
  id=$(printf '%d' "$main_id")
  press "$main_id" $min_button
  wait_for 50 state_has "$id" _NET_WM_STATE_HIDDEN || check_fail "the minimise button did not hide the main form: $(wm_state "$id")"
  xdo windowactivate "$id"
  wait_for 50 viewable "$id" || check_fail "the main form did not come back ($(map_state "$id"))"
  wait_for 30 is_at "$main_id" "$main_geo" || check_fail "back, the main form is at $(geometry "$main_id"), expected $main_geo"
  # The application came back with it: its other form too.
  wait_for 50 viewable "$(printf '%d' "$second_id")" || check_fail "the second form stayed hidden after the main form came back"
fi

# Sizing with the framework's own loop: the main form's bottom-right corner dragged by
# (+60, +40), then its left border by -30 (the left edge follows, the right stays).
drag() {  # from-x from-y dx dy
  xdo mousemove --sync "$1" "$2"
  xdo mousedown 1
  for i in 1 2 3 4 5; do
    xdo mousemove --sync $(($1 + $3 * i / 5)) $(($2 + $4 * i / 5))
    sleep 0.05
  done
  sleep 0.2
  xdo mouseup 1
}
read -r mx my mw mh <<<"$(geometry "$main_id")"
drag $((mx + mw - 2)) $((my + mh - 2)) 60 40
wait_for 30 is_at "$main_id" "$mx $my $((mw + 60)) $((mh + 40))" ||
  check_fail "the corner dragged by (60, 40) left the main form at $(geometry "$main_id"), expected $mx $my $((mw + 60)) $((mh + 40))"
read -r mx my mw mh <<<"$(geometry "$main_id")"
drag $((mx + 1)) $((my + mh / 2)) -30 0
wait_for 30 is_at "$main_id" "$((mx - 30)) $my $((mw + 30)) $mh" ||
  check_fail "the left border dragged by -30 left the main form at $(geometry "$main_id"), expected $((mx - 30)) $my $((mw + 30)) $mh"
screenshot "$artifacts/${smoke_tag}_resized.png"

screenshot "$artifacts/${smoke_tag}_end.png"
kill -0 "$pid" 2>/dev/null || check_fail "the demo ended during the test"
[ $status = 0 ] || sed 's/^/  program: /' "$work/program.log" >&2
exit $status
