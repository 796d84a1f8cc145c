# Shared by the smoke scripts (sourced, not a test itself): a program started on the
# test X server and stopped at exit, and pixels read from screenshots.
#
# With CORVALE_SMOKE_WM=openbox the test runs under a real window manager instead of on
# the bare server: a private Xvfb (its own display number, chosen by the server itself)
# with openbox on it, both stopped at exit, so tests on other displays are untouched.

# smoke_setup <tag> <build dir>: the work folder ($work), the display ($display), the
# window manager ($wm: "" or openbox) and the screenshot's path
# ($shot, <build dir>/test-artifacts/<tag>[_openbox].png).
smoke_setup() {
  wm=${CORVALE_SMOKE_WM:-}
  smoke_tag=$1${wm:+_$wm}
  mkdir -p "$2/test-artifacts"
  artifacts="$2/test-artifacts"
  shot="$artifacts/$smoke_tag.png"
  work=$(mktemp -d "/tmp/$smoke_tag.XXXXXX")
  trap smoke_finish EXIT
  trap 'exit 143' TERM INT HUP  # a test runner's timeout still stops what was started
  case "$wm" in
    "") display=${CORVALE_TEST_DISPLAY:-}
        [ -n "$display" ] || { echo "$smoke_tag: CORVALE_TEST_DISPLAY is not set (start the test X server first)" >&2; exit 1; } ;;
    openbox) smoke_private_display && smoke_openbox ;;
    *) echo "$smoke_tag: unknown window manager \"$wm\"" >&2; exit 1 ;;
  esac
}

# A private X server; the server picks a free display number and writes it to fd 3.
smoke_private_display() {
  command -v Xvfb >/dev/null || { echo "$smoke_tag: Xvfb is missing (scripts/setup)" >&2; exit 1; }
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$work/displayfd" ] && break
    sleep 0.05
  done
  [ -s "$work/displayfd" ] || { echo "$smoke_tag: the private X server did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  display=":$(head -n1 "$work/displayfd")"
}

# openbox with its stock configuration (none of the user's), ready once it announces
# itself on the root window.
smoke_openbox() {
  command -v openbox >/dev/null || { echo "$smoke_tag: openbox is missing (scripts/setup)" >&2; exit 1; }
  mkdir -p "$work/wm-config" "$work/wm-cache"
  env DISPLAY="$display" XDG_CONFIG_HOME="$work/wm-config" XDG_CACHE_HOME="$work/wm-cache" \
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 1 100); do
    xprop -display "$display" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "$smoke_tag: openbox did not start" >&2
  cat "$work/openbox.log" >&2
  exit 1
}

# smoke_start <program> [VAR=value ...]: starts it in the background ($pid), output
# in $work/program.log.
smoke_start() {
  local program=$1
  shift
  [ -x "$program" ] || { echo "$smoke_tag: $program is missing" >&2; exit 1; }
  env DISPLAY="$display" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 "$@" "$program" >"$work/program.log" 2>&1 &
  pid=$!
}

# Stops what the test started, the program first, then the window manager and its server.
smoke_finish() {
  local p
  for p in "${pid:-}" "${wm_pid:-}" "${xvfb_pid:-}"; do
    [ -n "$p" ] && { kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; }
  done
  rm -rf "$work"
}

# fail <message>: says it with the program's output and ends the test.
fail() {
  echo "$smoke_tag: $*" >&2
  sed 's/^/  program: /' "$work/program.log" >&2
  exit 1
}

# pixel <png> <x> <y>: "r,g,b".
pixel() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}

# region_hash <png> <x> <y> <w> <h>: a checksum of that part of the picture.
region_hash() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -format "%#" info:
}

# screenshot <png>: the whole screen now.
screenshot() {
  import -display "$display" -window root "$1" || fail "screenshot $1 failed"
}

# xdo <xdotool arguments>: xdotool on the test display (the X server's own pointer and keys).
xdo() { DISPLAY="$display" xdotool "$@"; }

# click <x> <y>: the pointer moves there and clicks the left button.
click() { xdo mousemove --sync "$1" "$2" click 1; }

# wait_for <tenths of a second> <command...>: true once the command succeeds.
wait_for() {
  local n=$1
  shift
  for _ in $(seq 1 "$n"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# window_id <title>: the first window with exactly that title (decimal id), if any.
window_id() {
  xdo search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

# map_state <window id>: IsViewable, IsUnMapped or IsUnviewable.
map_state() {
  xwininfo -display "$display" -id "$1" 2>/dev/null | awk '/Map State:/ {print $NF}'
}

# The window manager checks of a shown top-level window <id> whose pixel <x> <y> must be
# <rgb> while it is shown: no frame added around it, active, minimised (hidden, and its
# pixels gone from the screen) and restored (shown, active, drawn again). Sets status=1
# on a failed check; screenshots <tag>_minimised.png and <tag>_restored.png.
wm_checks() {
  local id=$1 px=$2 py=$3 rgb=$4 got
  wm_fail() { echo "$smoke_tag: $*" >&2; status=1; }
  got=$(xprop -display "$display" -id "$id" _NET_FRAME_EXTENTS 2>/dev/null)
  [[ "$got" == *"= 0, 0, 0, 0" ]] || wm_fail "the window manager framed the frameless window: $got"
  wait_for 50 active_is "$id" || wm_fail "the window is not active (active: $(active_window))"

  xdo windowminimize "$id"
  wait_for 50 state_has "$id" _NET_WM_STATE_HIDDEN || wm_fail "minimised, yet not hidden: $(wm_state "$id")"
  [ "$(map_state "$id")" != IsViewable ] || wm_fail "minimised, yet still viewable"
  sleep 0.3
  screenshot "$artifacts/${smoke_tag}_minimised.png"
  got=$(pixel "$artifacts/${smoke_tag}_minimised.png" "$px" "$py")
  [ "$got" != "$rgb" ] || wm_fail "minimised, yet its pixels stay on the screen at $px,$py"

  xdo windowactivate "$id"
  wait_for 50 viewable "$id" || wm_fail "not shown again after restore ($(map_state "$id"))"
  state_has "$id" _NET_WM_STATE_HIDDEN && wm_fail "restored, yet still hidden"
  wait_for 50 active_is "$id" || wm_fail "restored, yet not active (active: $(active_window))"
  sleep 0.5  # the repaint
  screenshot "$artifacts/${smoke_tag}_restored.png"
  got=$(pixel "$artifacts/${smoke_tag}_restored.png" "$px" "$py")
  [ "$got" = "$rgb" ] || wm_fail "restored, yet not drawn again: $got at $px,$py, expected $rgb"
}
active_window() { xdo getactivewindow 2>/dev/null; }
active_is() { [ "$(active_window)" = "$1" ]; }
wm_state() { xprop -display "$display" -id "$1" _NET_WM_STATE 2>/dev/null; }
state_has() { wm_state "$1" | grep -q "$2"; }
viewable() { [ "$(map_state "$1")" = IsViewable ]; }
