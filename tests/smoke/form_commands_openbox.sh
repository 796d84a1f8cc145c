#!/usr/bin/env bash
# The window-command smoke test (form_commands.sh) under openbox on a private X server.
# Usage: bash form_commands_openbox.sh <build dir> <source dir>
CORVALE_SMOKE_WM=openbox exec bash "$(dirname "$0")/form_commands.sh" "$@"
