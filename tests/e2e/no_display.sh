#!/bin/bash
# Started with no graphical display, the program says so in one line and
# fails, rather than aborting with a core dump. Started on a display that
# does not answer, it names that display and passes on what Qt said of it.
set -uo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }

output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=/tmp "$1" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
[ "$(printf '%s\n' "$output" | wc -l)" -eq 1 ] || fail "expected one line, got: $output"
printf '%s\n' "$output" | grep -q "cannot open a graphical display" || fail "unclear message: $output"

output=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4729 XDG_RUNTIME_DIR=/tmp "$1" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "exit status $status on a display that does not answer, expected 1"
printf '%s\n' "$output" | head -1 | grep -q "cannot start on the graphical display (DISPLAY=:4729)" \
    || fail "the display tried is not named first: $output"
printf '%s\n' "$output" | grep -q "could not connect to display :4729" || fail "Qt's own reason is missing: $output"
printf '%s\n' "$output" | grep -q "DISPLAY or WAYLAND_DISPLAY must be set" && fail "says no display is set: $output"
echo "ok"
