#!/bin/bash
# The window appears with its 981 x 546 content area under the menu bar, and
# Ctrl+Q (File > Quit) ends the program with status 0.
. "$(dirname "$0")/lib.sh"

start_app
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
[ "$WIDTH" -eq 981 ] || fail "window width $WIDTH, expected 981"
[ "$HEIGHT" -gt 546 ] && [ "$HEIGHT" -lt 600 ] || fail "window height $HEIGHT, expected 546 plus a menu bar"

xdotool key --clearmodifiers ctrl+q
wait_app
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Ctrl+Q"
expect_quiet_output
echo "ok"
