#!/usr/bin/env bash
# --skin with a folder or a name, the program on the test X server: a skin folder found by
# its name in the user's skins folder gives the skinned frame; a folder without skin.ini,
# a picture that is missing or no bitmap, and a name that matches nothing each start the
# program with its default frame and a message naming the file (and line).
# Usage: bash skin_folders.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
src=${2:?source folder}
source "$(dirname "$0")/program.bash"
source "$(dirname "$0")/recording.bash"
smoke_setup skin_folders "$build"
caption="www.corvale.example   Lirovan"
skins="$work/data/corvale/skins"
mkdir -p "$skins" "$work/empty"
python3 "$src/skins/make_skin.py" --palette night "$skins/mine" >/dev/null || fail "the skin generator failed"
cp -r "$skins/mine" "$work/nopicture" && rm "$work/nopicture/frame.bmp"
cp -r "$skins/mine" "$work/notbitmap" && echo "no picture" >"$work/notbitmap/frame.bmp"
line=$(grep -n "^picture=" "$skins/mine/skin.ini" | cut -d: -f1)
status=0
problem() { echo "$smoke_tag: $*" >&2; status=1; }

# run <skin argument> <expected message (grep pattern) or "" for a skinned start>
run() {
  env DISPLAY="$display" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" "$build/corvale" --skin "$1" >"$work/program.log" 2>&1 &
  pid=$!
  smoke_wait_window "$caption"
  if [ -z "$2" ]; then
    [ "$w" -gt 621 ] || problem "--skin $1: the window is ${w}x$h, not skinned"
    [ -s "$work/program.log" ] && problem "--skin $1 wrote: $(head -c 300 "$work/program.log")"
  else
    [ "$w" = 621 ] && [ "$h" = 475 ] || problem "--skin $1: the window is ${w}x$h, not the default 621x475"
    grep -q -- "$2" "$work/program.log" || problem "--skin $1 did not say '$2': $(head -c 300 "$work/program.log")"
  fi
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
}

run mine ""
run "$work/empty" "corvale: $work/empty/skin.ini: a skin folder holds its description in skin.ini.*default look"
run "$work/nopicture" "corvale: $work/nopicture/skin.ini:$line: \[PICTURES\] picture: picture file '.*frame.bmp' does not exist"
run "$work/notbitmap" "corvale: $work/notbitmap/skin.ini:$line: \[PICTURES\] picture: picture file '.*frame.bmp' cannot be loaded"
run nosuchskin "corvale: no skin is named 'nosuchskin'.*$skins.*default look is used"
exit $status
