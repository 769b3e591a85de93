#!/bin/bash
# Through the real dialogs: at 2048, Save writes a 2048 x 2048 8-bit RGB PNG
# with white glyphs, "atlas" typed as "atlas.png", and Copy puts the same
# picture on the clipboard. The width table saved has 100 CR line ends and no LF; Copy puts
# the same bytes on the clipboard; "AB" typed into grid cell (3, 3) shows up
# in row 34. Alt+F, B exports the BMFont beside its page. dx typed away and
# back, the texture saved again is the same file.
. "$(dirname "$0")/lib.sh"

start_app
choose_largest_texture
click 887 24
save_as "$WORK/atlas"
confirm_png_settings
wait_file "$WORK/atlas.png"
read -r width height depth type < <(identify -format '%w %h %[png:IHDR.bit-depth-orig] %[png:IHDR.color-type-orig]\n' "$WORK/atlas.png")
[ "$width $height $depth $type" = "2048 2048 8 2" ] || fail "saved $width x $height, depth $depth, colour type $type"
[ "$(convert "$WORK/atlas.png" -format '%[fx:maxima.r]' info:)" = 1 ] || fail "no white glyphs"
copied_picture_matches() {
  click 887 56
  xclip -o -selection clipboard -t image/png >"$WORK/copied.png" 2>/dev/null &&
    [ "$(compare -metric AE "$WORK/atlas.png" "$WORK/copied.png" null: 2>&1 || true)" = 0 ]
}
eventually copied_picture_matches || fail "the copied picture differs from the saved one"

click 887 431
save_as "$WORK/widths.txt"
wait_file "$WORK/widths.txt"
[ "$(tr -cd '\r' <"$WORK/widths.txt" | wc -c) $(tr -cd '\n' <"$WORK/widths.txt" | wc -c)" = "100 0" ] ||
  fail "expected 100 CR line ends and no LF"
copied_table_is() {
  click 887 463
  xclip -o -selection clipboard >"$WORK/clipboard.txt" 2>/dev/null && cmp -s "$1" "$WORK/clipboard.txt"
}
eventually copied_table_is "$WORK/widths.txt" || fail "the clipboard differs from the saved file"

# File > Export BMFont from the keyboard: the .fnt and its page beside it.
xdotool windowfocus --sync "$WINDOW"
xdotool key --clearmodifiers alt+f b
save_as "$WORK/font"
wait_file "$WORK/font.fnt"
head -n 1 "$WORK/font.fnt" | grep -q '^info face="Courier" ' || fail "the .fnt does not start as readers expect"
grep -q '^page id=0 file="font_0.png"$' "$WORK/font.fnt" || fail "the .fnt does not name its page"
[ "$(identify -format '%w %[png:IHDR.color-type-orig]' "$WORK/font_0.png")" = "2048 6" ] ||
  fail "the page is not the 2048 texture as RGBA"

# The same settings give the same bytes, whatever was drawn between: dx
# typed to 5 and back to 4, then the texture saved again.
click $((817 + 32)) $((204 + 11))
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 100 "5"
xdotool key --clearmodifiers BackSpace
xdotool type --delay 100 "4"
click 887 24
save_as "$WORK/again"
confirm_png_settings
wait_file "$WORK/again.png"
cmp -s "$WORK/atlas.png" "$WORK/again.png" || fail "the texture saved again at the same settings differs"

# Typing into a selected cell replaces its text.
type_into_cell 3 3 AB
eventually table_row_is 34 AB || fail "row 34 of the table does not start with AB"

quit_app
echo "ok"
