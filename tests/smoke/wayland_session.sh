#!/usr/bin/env bash
# Smoke test of the platform choice: started as in a Wayland session (XDG_SESSION_TYPE
# and WAYLAND_DISPLAY set, an XWayland display in DISPLAY, no QT_QPA_PLATFORM), the
# controls demo must come up on the X display through the xcb platform without trying
# the Wayland one first (the toolkit would otherwise, and a Wayland compositor would
# not let the framework place its own windows).
# Usage: bash wayland_session.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
source "$(dirname "$0")/program.bash"
smoke_setup wayland_session "$build"
ready="$work/ready"
program="$build/demoform"
[ -x "$program" ] || fail "$program is missing"
env -u QT_QPA_PLATFORM DISPLAY="$display" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=corvale-no-compositor \
  QT_LOGGING_RULES="qt.qpa.*=true" ASAN_OPTIONS=detect_leaks=0 CORVALE_READY_FILE="$ready" \
  "$program" >"$work/program.log" 2>&1 &
pid=$!
for _ in $(seq 1 300); do
  [ -s "$ready" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the demo ended before its window showed"
  sleep 0.1
done
[ -s "$ready" ] || fail "the window did not show within 30 s"
shown() { [ -n "$(window_id "Controls demo")" ]; }
wait_for 50 shown || fail "no window titled \"Controls demo\" on $display"
sleep 0.5
screenshot "$shot"
read -r _ cx cy _ _ <"$ready"
echo "$smoke_tag: client area at $cx,$cy; screenshot $shot"
status=0
[ "$(pixel "$shot" $((cx + 5)) $((cy + 120)))" = "212,208,200" ] ||
  { echo "$smoke_tag: the form is not drawn at $((cx + 5)),$((cy + 120))" >&2; status=1; }
# The toolkit's platform log must be there (else the next check proves nothing).
grep -q 'qt.qpa.plugin.*"xcb"' "$work/program.log" ||
  { echo "$smoke_tag: no platform log naming xcb" >&2; status=1; }
if grep -qi 'plugin "wayland"' "$work/program.log"; then
  echo "$smoke_tag: the Wayland platform was tried:" >&2
  grep -i 'wayland' "$work/program.log" | sed 's/^/  program: /' >&2
  status=1
fi
exit $status
