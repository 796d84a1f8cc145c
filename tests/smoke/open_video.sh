#!/usr/bin/env bash
# Smoke test of opening a video the way the user does: the built program on the test X
# server, the X server's own pointer on the open-video button (client 16,384, 121 x 25),
# the skinned open dialog titled "Open file" must show; Escape closes it, and Return on
# the button, which kept the focus, must show it again; the video's full path typed into
# its name field and Return pressed; the dialog must close for good (one Return opens it
# once) and the player on the right must show the video (colour bars: the light grey bar
# on the left, the blue bar on the right of the picture).
# Under a window manager (CORVALE_SMOKE_WM, see program.bash) the same with openbox.
# Usage: bash open_video.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
source "$(dirname "$0")/program.bash"
source "$(dirname "$0")/recording.bash"
smoke_setup open_video "$build"
caption="www.corvale.example   Lirovan"

# A short video with colour bars and a tone, in a folder with a blank in its name.
mkdir -p "$work/my videos"
video="$work/my videos/bars.mp4"
ffmpeg -v error -y -f lavfi -i smptebars=size=640x480:rate=25:duration=20 \
  -f lavfi -i sine=frequency=440:duration=20 -c:v libx264 -preset ultrafast \
  -pix_fmt yuv420p -c:a aac -shortest "$video" || { echo "$smoke_tag: ffmpeg could not make the video" >&2; exit 1; }

smoke_start "$build/corvale" XDG_CONFIG_HOME="$work/config"
smoke_wait_window "$caption"
main_id=$id
sleep 1  # the first paint
cx=$((x + 3)) cy=$((y + 22))  # the client area inside the default frame

status=0
click $((cx + 16 + 60)) $((cy + 384 + 12)) || fail "xdotool could not click"
found_dialog() { dialog=$(window_id "Open file"); [ -n "$dialog" ]; }
wait_for 100 found_dialog || fail "no open dialog after the click"
gone() { [ -z "$(window_id "Open file")" ]; }
sleep 0.5
xdo windowactivate "$dialog" 2>/dev/null || xdo windowfocus "$dialog"
xdo key Escape
wait_for 100 gone || fail "the dialog stayed open after Escape"
xdo windowactivate "$main_id" 2>/dev/null || xdo windowfocus "$main_id"
sleep 0.5
xdo key Return
wait_for 100 found_dialog || fail "Return on the focused open-video button opened no dialog"
sleep 0.5
xwininfo -display "$display" -id "$dialog" >"$work/dlg" 2>/dev/null
dw=$(awk '/Width:/ {print $NF}' "$work/dlg")
dh=$(awk '/Height:/ {print $NF}' "$work/dlg")
# 450 x 290 inside the default frame (3-pixel border, 19-pixel caption).
[ "$dw" = 456 ] && [ "$dh" = 315 ] || { echo "$smoke_tag: the dialog is ${dw}x$dh, not 456x315" >&2; status=1; }
screenshot "$artifacts/${smoke_tag}_dialog.png"

# The name field has the focus when the dialog shows.
xdo windowactivate "$dialog" 2>/dev/null || xdo windowfocus "$dialog"
sleep 0.3
xdo type --delay 15 "$video"
sleep 0.3
screenshot "$artifacts/${smoke_tag}_typed.png"
xdo key Return
wait_for 100 gone || fail "the dialog stayed open, or opened again at once, after Return"
sleep 1
gone || fail "the dialog opened a second time: one Return clicked the button twice"

# The player shows the bars: 640x480 scaled into 465x433 at client 144,8, centred.
top=$((8 + (433 - 465 * 3 / 4) / 2))
row=$((cy + top + 465 * 3 / 4 / 3))
near() {  # <r,g,b> <r,g,b> <tolerance>
  local a b i
  IFS=, read -ra a <<<"$1"
  IFS=, read -ra b <<<"$2"
  for i in 0 1 2; do
    [ $((a[i] > b[i] ? a[i] - b[i] : b[i] - a[i])) -le "$3" ] || return 1
  done
}
playing() {
  screenshot "$shot"
  near "$(pixel "$shot" $((cx + 144 + 465 / 14)) "$row")" "191,191,191" 45 &&
    near "$(pixel "$shot" $((cx + 144 + 465 * 13 / 14)) "$row")" "0,0,191" 45
}
if wait_for 200 playing; then
  echo "$smoke_tag: the player shows the video; screenshot $shot"
else
  echo "$smoke_tag: no colour bars in the player (left $(pixel "$shot" $((cx + 144 + 465 / 14)) "$row")," \
    "right $(pixel "$shot" $((cx + 144 + 465 * 13 / 14)) "$row")); screenshot $shot" >&2
  status=1
fi

kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
[ -n "$(window_id "$caption")" ] || { echo "$smoke_tag: the main window went away (was $main_id)" >&2; status=1; }
[ $status = 0 ] || sed 's/^/  program: /' "$work/program.log" >&2
exit $status
