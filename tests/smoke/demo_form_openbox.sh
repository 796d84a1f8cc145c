#!/usr/bin/env bash
# The controls demo's smoke test (demo_form.sh) under openbox on a private X server.
# Usage: bash demo_form_openbox.sh <build dir> <source dir>
CORVALE_SMOKE_WM=openbox exec bash "$(dirname "$0")/demo_form.sh" "$@"
