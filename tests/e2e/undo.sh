#!/bin/bash
# Through the real window: "AB" typed into grid cell (3, 3) and Enter, then
# Ctrl+Z puts its "A" back and Ctrl+Shift+Z brings "AB" again, as row 34 of
# the width table shows.
. "$(dirname "$0")/lib.sh"

start_app
type_into_cell 3 3 AB
eventually table_row_is 34 AB || fail "row 34 of the table does not start with AB"

key_and_row() {
  xdotool windowfocus --sync "$WINDOW"
  xdotool key --clearmodifiers "$1"
  eventually table_row_is 34 "$2"
}
key_and_row ctrl+z A || fail "Ctrl+Z did not put the cell's A back"
key_and_row ctrl+shift+z AB || fail "Ctrl+Shift+Z did not bring AB again"

quit_app
echo "ok"
