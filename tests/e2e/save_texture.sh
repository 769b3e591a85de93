#!/bin/bash
# At texture size 2048, Save goes through the real save dialog and the PNG
# settings dialog and writes a 2048 x 2048 8-bit RGB PNG whose glyphs are
# grey (red, green and blue equal); Copy puts the same picture on the
# clipboard.
. "$(dirname "$0")/lib.sh"

start_app
choose_largest_texture
click 887 24
save_as "$WORK/atlas.png"
confirm_png_settings
wait_file "$WORK/atlas.png"

read -r width height depth type < <(identify -format '%w %h %[png:IHDR.bit-depth-orig] %[png:IHDR.color-type-orig]\n' "$WORK/atlas.png")
[ "$width x $height" = "2048 x 2048" ] || fail "saved $width x $height"
[ "$depth" = 8 ] || fail "bit depth $depth"
[ "$type" = 2 ] || fail "PNG colour type $type, expected 2 (RGB)"
convert "$WORK/atlas.png" -separate "$WORK/channel-%d.png"
for other in 1 2; do
  differing=$(compare -metric AE "$WORK/channel-0.png" "$WORK/channel-$other.png" null: 2>&1 || true)
  [ "$differing" = 0 ] || fail "$differing pixels are not grey"
done
[ "$(convert "$WORK/atlas.png" -format '%[fx:maxima.r]' info:)" = 1 ] || fail "no white glyphs"

copied_picture_matches() {
  click 887 56
  xclip -o -selection clipboard -t image/png >"$WORK/copied.png" 2>/dev/null &&
    [ "$(compare -metric AE "$WORK/atlas.png" "$WORK/copied.png" null: 2>&1 || true)" = 0 ]
}
eventually copied_picture_matches || fail "the copied picture differs from the saved one"

quit_app
echo "ok"
