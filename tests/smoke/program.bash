# Shared by the smoke scripts (sourced, not a test itself): a program started on the
# test X server and stopped at exit, and pixels read from screenshots.

# smoke_setup <tag> <build dir>: the work folder ($work), the display ($display) and
# the screenshot's path ($shot, <build dir>/test-artifacts/<tag>.png).
smoke_setup() {
  smoke_tag=$1
  mkdir -p "$2/test-artifacts"
  shot="$2/test-artifacts/$1.png"
  display=${CORVALE_TEST_DISPLAY:-}
  [ -n "$display" ] || { echo "$smoke_tag: CORVALE_TEST_DISPLAY is not set (start the test X server first)" >&2; exit 1; }
  work=$(mktemp -d "/tmp/$smoke_tag.XXXXXX")
  trap smoke_finish EXIT
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

smoke_finish() {
  [ -n "${pid:-}" ] && { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
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
