#!/usr/bin/env bash
# Smoke test: the gallery on the test X server with the Night skin chosen by name, then
# Slate chosen with the X server's pointer on the button above the skinned column: the
# skinned buttons' border takes each skin's colour, the default column stays as it is.
# Usage: bash gallery_night.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
src=${2:?source folder}
source "$(dirname "$0")/program.bash"
smoke_setup gallery_night "$build"
ready="$work/ready"
cd "$src" || fail "no source folder $src"
env DISPLAY="$display" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 CORVALE_READY_FILE="$ready" \
  "$build/gallery" --skin night >"$work/program.log" 2>&1 &
pid=$!
for _ in $(seq 1 300); do
  [ -s "$ready" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the gallery ended before its window showed"
  sleep 0.1
done
[ -s "$ready" ] || fail "the window did not show within 30 s"
grep -q "gallery:" "$work/program.log" && fail "the gallery reported a problem"
read -r _ cx cy _ _ <"$ready"
sleep 0.5
screenshot "$artifacts/${smoke_tag}.png"
# First button row at client y 54; the skinned normal button's border at x 381.
border() { pixel "$1" $((cx + 381)) $((cy + 54)); }
[ "$(border "$artifacts/${smoke_tag}.png")" = "104,116,140" ] ||
  fail "the skinned button's border is $(border "$artifacts/${smoke_tag}.png"), not Night's 104,116,140"
[ "$(pixel "$artifacts/${smoke_tag}.png" $((cx + 10)) $((cy + 54)))" = "128,128,128" ] ||
  fail "the default column changed"

click $((cx + 628)) $((cy + 17))
slate() { screenshot "$work/now.png"; [ "$(border "$work/now.png")" = "70,84,110" ]; }
wait_for 50 slate || fail "after a click on Slate the border is $(border "$work/now.png"), not Slate's 70,84,110"
cp "$work/now.png" "$artifacts/${smoke_tag}_slate.png"
exit 0
