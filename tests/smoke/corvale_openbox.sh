#!/usr/bin/env bash
# The program's smoke test (corvale.sh) under a real window manager: openbox on a
# private X server, so activation, minimise and restore are checked as users see them.
# Usage: bash corvale_openbox.sh <build dir> <source dir>
CORVALE_SMOKE_WM=openbox exec bash "$(dirname "$0")/corvale.sh" "$@"
