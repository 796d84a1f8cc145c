# Sourced by scripts/test: starts a private X server and a private PulseAudio daemon
# with a null sink for the tests, and stops both when the sourcing shell exits.
# Nothing here touches the user's own display or sound server.

corvale_services_dir=$(mktemp -d /tmp/corvale-test.XXXXXX)
chmod 700 "$corvale_services_dir"

corvale_stop_services() {
  if [ -n "${corvale_parec_pid:-}" ]; then kill "$corvale_parec_pid" 2>/dev/null || true; fi
  if [ -n "${PULSE_SERVER:-}" ]; then pulseaudio --kill 2>/dev/null || true; fi
  if [ -n "${corvale_xvfb_pid:-}" ]; then kill "$corvale_xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$corvale_services_dir"
}
trap corvale_stop_services EXIT

# X server for smoke tests (unit and gui tests use Qt's offscreen platform).
for n in $(seq 91 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$corvale_services_dir/xvfb.log" 2>&1 &
  corvale_xvfb_pid=$!
  for _ in $(seq 1 100); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && break
    sleep 0.05
  done
  # Another test run may have taken the number in the meantime: the server that
  # answers must be ours, the one whose process id the lock file holds.
  if xdpyinfo -display ":$n" >/dev/null 2>&1 &&
     [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$corvale_xvfb_pid" ]; then
    export CORVALE_TEST_DISPLAY=":$n"
    break
  fi
  kill "$corvale_xvfb_pid" 2>/dev/null || true
  corvale_xvfb_pid=
done

# PulseAudio: a private daemon whose null sink's monitor is the default source.
export XDG_RUNTIME_DIR="$corvale_services_dir/run"
mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pa.sock"
export HOME_FOR_PULSE="$corvale_services_dir/home"
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --use-pid-file=yes \
  --log-target="file:$corvale_services_dir/pulse.log" \
  --load="module-null-sink sink_name=nullsink rate=44100 channels=2" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pa.sock" \
  --load=module-always-sink >/dev/null 2>&1 || true
for _ in $(seq 1 100); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.05
done
if pactl info >/dev/null 2>&1; then
  pactl set-default-sink nullsink
  pactl set-default-source nullsink.monitor
  # An idle null sink renders in 2-second blocks; a low-latency reader keeps it prompt.
  parec --latency-msec=20 -d nullsink.monitor >/dev/null 2>&1 &
  corvale_parec_pid=$!
  # It takes the sink a while to follow that reader: a take started before then loses
  # more than a second. Ready once a second reader gets nine tenths of the sound in two
  # half seconds running.
  corvale_probe="$corvale_services_dir/probe.raw"
  parec --latency-msec=20 --raw --format=s16le --rate=44100 --channels=2 -d nullsink.monitor \
    >"$corvale_probe" 2>/dev/null &
  corvale_probe_pid=$!
  corvale_steady=0
  corvale_last=0
  for _ in $(seq 1 40); do
    sleep 0.5
    corvale_now=$(stat -c %s "$corvale_probe" 2>/dev/null || echo 0)
    if [ $((corvale_now - corvale_last)) -ge 79380 ]; then corvale_steady=$((corvale_steady + 1)); else corvale_steady=0; fi
    corvale_last=$corvale_now
    [ $corvale_steady -ge 2 ] && break
  done
  kill "$corvale_probe_pid" 2>/dev/null || true
  wait "$corvale_probe_pid" 2>/dev/null || true
  rm -f "$corvale_probe"
  [ $corvale_steady -ge 2 ] || echo "services: the test sound server's monitor does not deliver steadily" >&2
  export CORVALE_TEST_PULSE=1
else
  echo "services: PulseAudio test daemon did not start; e2e tests will fail" >&2
fi
export CORVALE_TEST_TMP="$corvale_services_dir"
