#!/bin/bash
# The window appears with its 981 x 546 content area under the menu bar, and
# Ctrl+Q (File > Quit) ends the program with status 0.
. "$(dirname "$0")/lib.sh"

start_app
geometry_of "$WINDOW"
[ "$GEOMETRY_WIDTH" -eq 981 ] || fail "window width $GEOMETRY_WIDTH, expected 981"
[ "$GEOMETRY_HEIGHT" -gt 546 ] && [ "$GEOMETRY_HEIGHT" -lt 600 ] ||
  fail "window height $GEOMETRY_HEIGHT, expected 546 plus a menu bar"
quit_app
echo "ok"
