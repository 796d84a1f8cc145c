#!/usr/bin/env bash
# The skinned frame's smoke test (form_frame.sh) under openbox on a private X server.
# Usage: bash form_frame_openbox.sh <build dir> <source dir>
CORVALE_SMOKE_WM=openbox exec bash "$(dirname "$0")/form_frame.sh" "$@"
