#!/bin/bash
# The width table saved through the real dialog has 100 lines ending in CR;
# Copy puts the same bytes on the clipboard; a grid cell edited to "AB" by
# typing shows up in the table.
. "$(dirname "$0")/lib.sh"

start_app
click 887 431
save_as "$WORK/widths.txt"
wait_file "$WORK/widths.txt"
[ "$(tr -cd '\r' <"$WORK/widths.txt" | wc -c)" -eq 100 ] || fail "expected 100 CR line ends"
[ "$(tr -cd '\n' <"$WORK/widths.txt" | wc -c)" -eq 0 ] || fail "the table holds LF"
[ "$(tail -c 1 "$WORK/widths.txt" | od -An -tx1 | tr -d ' ')" = 0d ] || fail "the table does not end with CR"

copied_table_is() {
  click 887 463
  xclip -o -selection clipboard >"$WORK/clipboard.txt" 2>/dev/null && cmp -s "$1" "$WORK/clipboard.txt"
}
eventually copied_table_is "$WORK/widths.txt" || fail "the clipboard differs from the saved file"

# Cell (3, 3) holds "A": rows of 18 px, columns a tenth of the grid wide.
# Typing into a selected cell replaces its text.
row_34_is_ab() {
  click 887 463
  xclip -o -selection clipboard 2>/dev/null | tr '\r' '\n' | sed -n 34p >"$WORK/row.txt"
  grep -q "^AB	" "$WORK/row.txt"
}
type_ab_into_cell() {
  xdotool windowfocus --sync "$WINDOW"
  click $((20 + 1 + 3 * 26 + 12)) $((14 + 1 + 3 * 18 + 9))
  xdotool type --delay 50 "AB"
  xdotool key Return
  eventually row_34_is_ab
}
type_ab_into_cell || type_ab_into_cell || fail "row 34 reads '$(cat "$WORK/row.txt")', expected AB"

quit_app
echo "ok"
