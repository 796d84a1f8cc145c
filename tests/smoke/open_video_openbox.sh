#!/usr/bin/env bash
# The open-video smoke test (open_video.sh) under a real window manager: openbox on a
# private X server, where the dialog must take the keyboard focus as users see it.
# Usage: bash open_video_openbox.sh <build dir> <source dir>
CORVALE_SMOKE_WM=openbox exec bash "$(dirname "$0")/open_video.sh" "$@"
