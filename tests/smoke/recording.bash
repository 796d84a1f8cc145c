# Shared by the program's smoke scripts (sourced after program.bash, not a test itself):
# a recording made with the X server's own pointer on the main window's buttons.

# smoke_record <client x> <client y> <wav> <screenshot of the idle window>: clicks record
# (client 16,344, 59 x 25) and, a second later, stop (80,344); the record button must
# change its look while recording, the information box must show and close on Return,
# and <wav> must be a whole wave file. Sets status=1 on a failed check.
smoke_record() {
  local cx=$1 cy=$2 wav=$3 idle=$4 start_hash size riff box=""
  start_hash=$(region_hash "$idle" $((cx + 16)) $((cy + 344)) 59 25)
  click $((cx + 45)) $((cy + 356)) || fail "xdotool could not click"
  recording() {
    screenshot "$work/now.png"
    [ "$(region_hash "$work/now.png" $((cx + 16)) $((cy + 344)) 59 25)" != "$start_hash" ]
  }
  wait_for 30 recording || { echo "$smoke_tag: the record button looks the same after the click" >&2; status=1; }
  cp "$work/now.png" "$artifacts/${smoke_tag}_recording.png"
  [ -s "$wav" ] || { echo "$smoke_tag: record wrote no $wav" >&2; status=1; }
  sleep 1
  click $((cx + 109)) $((cy + 356))
  found_box() { box=$(window_id "信息"); [ -n "$box" ]; }
  if wait_for 100 found_box; then
    sleep 0.5
    screenshot "$artifacts/${smoke_tag}_saved.png"
    [ -z "$(window_id "错误")" ] || { echo "$smoke_tag: an error box showed" >&2; status=1; }
    # Its default button answers the Return key.
    xdo windowactivate "$box" 2>/dev/null || xdo windowfocus "$box"
    xdo key Return
    gone() { [ -z "$(window_id "信息")" ]; }
    wait_for 50 gone || { echo "$smoke_tag: the information box did not close on Return" >&2; status=1; }
  else
    screenshot "$artifacts/${smoke_tag}_saved.png"
    echo "$smoke_tag: no information box after stop (error box: $(window_id "错误"))" >&2
    status=1
  fi
  # A whole wave file: RIFF size = file size - 8, data after the 44-byte header.
  size=$(stat -c %s "$wav" 2>/dev/null || echo 0)
  riff=$(od -An -tu4 -j4 -N4 "$wav" 2>/dev/null | tr -d ' ')
  [ "$(head -c4 "$wav" 2>/dev/null)" = RIFF ] && [ "$riff" = $((size - 8)) ] && [ "$size" -gt 1000 ] ||
    { echo "$smoke_tag: $wav is no whole recording (size $size, RIFF size $riff)" >&2; status=1; }
  echo "$smoke_tag: recorded $size bytes into $wav"
}

# smoke_wait_window <title>: waits up to 30 s for the program's window; sets $id, $x,
# $y, $w, $h (decimal window id, screen position, size).
smoke_wait_window() {
  for _ in $(seq 1 300); do
    xwininfo -display "$display" -name "$1" >"$work/win" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window showed"
    sleep 0.1
  done
  [ -s "$work/win" ] || fail "no window titled \"$1\" within 30 s"
  id=$(awk '/Window id:/ {print $4; exit}' "$work/win")
  x=$(awk '/Absolute upper-left X/ {print $NF}' "$work/win")
  y=$(awk '/Absolute upper-left Y/ {print $NF}' "$work/win")
  w=$(awk '/Width:/ {print $NF}' "$work/win")
  h=$(awk '/Height:/ {print $NF}' "$work/win")
}
