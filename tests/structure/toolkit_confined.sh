#!/usr/bin/env bash
# The toolkit and the system libraries stay behind their walls: no Qt, PulseAudio, mpv or
# FFmpeg header above framework/ and platform/; inside framework/ Qt only in a layer's
# qt/ folder; the backends' private headers included by nothing above them.
# Usage: bash toolkit_confined.sh <build dir> <source dir>
set -u
src=${2:?source folder}
cd "$src" || exit 1
failures=0
report() {
  if [ -n "$2" ]; then
    echo "$1:" >&2
    echo "$2" >&2
    failures=$((failures + 1))
  fi
}
sources() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null; }
system_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q[A-Za-z0-9]*|Qt[A-Za-z]*/[^>]*|pulse/[^>]*|mpv/[^>]*|lib(av|sw)[a-z]*/[^>]*)>'

report "system headers above framework/ and platform/" \
  "$(sources app media skin | xargs -r grep -nE "$system_include")"
report "Qt in framework/ outside a qt/ folder" \
  "$(sources framework | grep -v '/qt/' | xargs -r grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q')"
report "a backend's private header included above framework/ and platform/" \
  "$(sources app media skin tools | xargs -r grep -nE '#[[:space:]]*include[[:space:]]*"framework/[a-z]+/qt/')"
report "a backend's private header included by the toolkit-free part of framework/" \
  "$(sources framework | grep -v '/qt/' | xargs -r grep -nE '#[[:space:]]*include[[:space:]]*"framework/[a-z]+/qt/')"
exit $((failures > 0))
