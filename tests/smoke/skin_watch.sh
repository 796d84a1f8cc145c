#!/usr/bin/env bash
# Live reload on the test X server: the program started with a skin folder and --watch
# takes each edit of the folder. The Slate folder overwritten with Night's files turns
# the frame's pixels into Night's (the time from the copy to the reload and to the new
# pixels is printed); a broken skin.ini keeps Night's pixels and names its file and line
# on standard error; mending it loads again. Then 200 more edits, each waited for: the
# resident memory between the 20th and the 200th stays flat, and the program, closed with
# its close button, exits cleanly with the leak checker on (in the sanitizer build).
# Usage: bash skin_watch.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
src=${2:?source folder}
source "$(dirname "$0")/program.bash"
source "$(dirname "$0")/recording.bash"
smoke_setup skin_watch "$build"
caption="www.corvale.example   Lirovan"
skin="$work/skin"
python3 "$src/skins/make_skin.py" "$skin" >/dev/null || fail "the skin generator failed"
python3 "$src/skins/make_skin.py" --palette night "$work/night" >/dev/null || fail "the skin generator failed"
now_ms() { echo $(($(date +%s%N) / 1000000)); }
loads() { grep -c "^corvale: skin .* loaded" "$work/program.log"; }
loaded() { [ "$(loads)" -ge "$1" ]; }

# A small quarantine keeps freed memory from counting as resident; leaks are looked for
# at exit.
env DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
  ASAN_OPTIONS="detect_leaks=1:quarantine_size_mb=8:abort_on_error=0:detect_odr_violation=0" \
  LSAN_OPTIONS="suppressions=$src/tests/smoke/lsan.supp:print_suppressions=0" \
  "$build/corvale" --skin "$skin" --watch >"$work/program.log" 2>&1 &
pid=$!
smoke_wait_window "$caption"
wait_for 100 loaded 1 || fail "the skin did not load at start"
sleep 1
screenshot "$shot"
# A pixel of the title bar's stretched top edge above the caption, as each frame picture
# has it at row 2.
px=$((x + 60)) py=$((y + 2))
slate=$(pixel "$skin/frame.bmp" 45 2) night=$(pixel "$work/night/frame.bmp" 45 2)
[ "$slate" != "$night" ] || fail "Slate and Night share the title bar's colour $slate"
[ "$(pixel "$shot" $px $py)" = "$slate" ] || fail "the title bar is $(pixel "$shot" $px $py), not Slate's $slate"

start=$(now_ms)
cp "$work/night/"* "$skin/"
wait_for 100 loaded 2 || fail "no reload after the folder changed"
reloaded=$(now_ms)
# The time a screenshot starts bounds when the pixels it shows were drawn.
drawn() { shot_at=$(now_ms); screenshot "$work/now.png"; [ "$(pixel "$work/now.png" $px $py)" = "$night" ]; }
wait_for 100 drawn || fail "the title bar did not turn Night's $night: $(pixel "$work/now.png" $px $py)"
echo "$smoke_tag: reload $((reloaded - start)) ms after the copy, new pixels on the screen by $((shot_at - start)) ms"
cp "$work/now.png" "$artifacts/${smoke_tag}_night.png"
sleep 1
n=$(loads)

line=$(grep -n "^clientrect=" "$skin/skin.ini" | head -n1 | cut -d: -f1)
sed -i "${line}s/.*/clientrect=1,2/" "$skin/skin.ini"
said() { grep -q "corvale: $skin/skin.ini:$line: \[FORMINFO\] clientrect: '1,2' is not a valid rectangle.*previous look stays" "$work/program.log"; }
wait_for 100 said || fail "a broken skin.ini was not reported with its file and line"
screenshot "$work/now.png"
[ "$(pixel "$work/now.png" $px $py)" = "$night" ] || fail "the broken skin changed the look"
[ "$(loads)" = "$n" ] || fail "a broken skin was loaded"
cp "$work/night/skin.ini" "$skin/skin.ini"
wait_for 100 loaded $((n + 1)) || fail "the mended skin did not load"
n=$(loads)

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; }
for i in $(seq 1 200); do
  echo "; edit $i" >>"$skin/skin.ini"
  wait_for 100 loaded $((n + i)) || fail "edit $i was not loaded"
  [ "$i" = 20 ] && rss20=$(rss)
done
rss200=$(rss)
echo "$smoke_tag: resident memory after 20 and after 200 edits: $rss20 kB, $rss200 kB"
# Resident memory wanders by a few MB with the X server's buffers; a skin kept per reload
# would be 180 times its bitmaps.
[ $((rss200 - rss20)) -lt 12288 ] || fail "the resident memory grew by $((rss200 - rss20)) kB over 180 reloads"
grep -q "ERROR: AddressSanitizer\|runtime error" "$work/program.log" && fail "a sanitizer spoke"

# The close button, at the right end of the caption (18 x 18, 6 pixels in from the edge).
click $((x + w - 15)) $((y + 13))
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not close"
wait "$pid"
rc=$?
pid=""
grep -q "LeakSanitizer" "$work/program.log" && fail "leaks at exit"
[ "$rc" = 0 ] || fail "the program exited with $rc"
exit 0
