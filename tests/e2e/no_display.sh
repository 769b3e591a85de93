#!/bin/bash
# Started with no graphical display, the program says so in one line and
# fails, rather than aborting with a core dump.
set -uo pipefail
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=/tmp "$1" 2>&1)
status=$?
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
[ "$(printf '%s\n' "$output" | wc -l)" -eq 1 ] || fail "expected one line, got: $output"
printf '%s\n' "$output" | grep -q "cannot open a graphical display" || fail "unclear message: $output"
echo "ok"
