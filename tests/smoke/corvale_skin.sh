#!/usr/bin/env bash
# The program started with a skin for users (--skin skins/slate.skn): its window takes
# the skin's frame, the record and stop buttons clicked with the X server's pointer at
# their places inside the skinned frame still make a whole Temp.wav. A missing skin file
# is reported on standard error and the window keeps its default frame.
# Usage: bash corvale_skin.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
src=${2:?source folder}
source "$(dirname "$0")/program.bash"
source "$(dirname "$0")/recording.bash"
smoke_setup corvale_skin "$build"
caption="www.corvale.example   Lirovan"
wav="$build/Temp.wav"
rm -f "$wav"
status=0

# A missing skin: a message, the default frame, the program runs on.
env DISPLAY="$display" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 XDG_CONFIG_HOME="$work/config" \
  "$build/corvale" --skin "$work/none.skn" >"$work/program.log" 2>&1 &
pid=$!
smoke_wait_window "$caption"
[ "$w" = 621 ] && [ "$h" = 475 ] || { echo "$smoke_tag: with a missing skin the window is ${w}x$h, not the default 621x475" >&2; status=1; }
grep -q "corvale: .*none.skn.*default look" "$work/program.log" ||
  { echo "$smoke_tag: a missing skin file was not reported" >&2; status=1; }
kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null

# Slate.
env DISPLAY="$display" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 XDG_CONFIG_HOME="$work/config" \
  "$build/corvale" --skin "$src/skins/slate.skn" >"$work/program.log" 2>&1 &
pid=$!
smoke_wait_window "$caption"
sleep 1  # the first paint
screenshot "$shot"
echo "$smoke_tag: window $id at $x,$y size ${w}x$h; screenshot $shot"
[ -s "$work/program.log" ] && { echo "$smoke_tag: the program wrote: $(head -c 300 "$work/program.log")" >&2; status=1; }
# The skin's client rectangle places the client area; the frame is the skin's picture.
read -r cl ct cr cb < <(sed -n 's/^clientrect=\([-0-9]*\),\([-0-9]*\),\([-0-9]*\),\([-0-9]*\).*/\1 \2 \3 \4/p' "$src/skins/slate/skin.ini" | head -n1)
[ -n "${cl:-}" ] || fail "no clientrect in skins/slate/skin.ini"
cx=$((x + cl)) cy=$((y + ct))
[ "$w" -gt 615 ] && [ "$h" -gt 450 ] || { echo "$smoke_tag: the skinned window is ${w}x$h" >&2; status=1; }
outer=$(pixel "$shot" "$x" $((y + 200)))$(pixel "$shot" $((x + 1)) $((y + 200)))
[ "$outer" != "212,208,200255,255,255" ] || { echo "$smoke_tag: the window has the default frame" >&2; status=1; }
got=$(pixel "$shot" $((x + w - 120)) $((y + h / 2)))
[ "$got" = "0,0,0" ] || { echo "$smoke_tag: the video area is $got, not black" >&2; status=1; }

smoke_record "$cx" "$cy" "$wav" "$shot"

kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
[ $status = 0 ] || sed 's/^/  program: /' "$work/program.log" >&2
exit $status
