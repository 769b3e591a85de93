#!/bin/bash
# The window appears with its 981 x 546 content area under the menu bar and
# the default texture in the preview; choosing another font and the texture
# size 2048 with the mouse, typing a new dx and switching Bold off each
# change the preview on screen; Ctrl+Q ends the program with status 0.
. "$(dirname "$0")/lib.sh"

shows_default_texture() {
  shoot_preview start
  [ "$(convert "$WORK/start.png" -format '%[fx:maxima.r] %[fx:minima.r]' info:)" = "1 0" ]
}

start_app
[ "$GEOMETRY_WIDTH" -eq 981 ] && [ "$GEOMETRY_HEIGHT" -gt 546 ] && [ "$GEOMETRY_HEIGHT" -lt 600 ] ||
  fail "window of $GEOMETRY_WIDTH x $GEOMETRY_HEIGHT, expected 981 x 546 plus a menu bar"
eventually shows_default_texture || fail "no white glyphs on black in the preview at start"

# Fonts list: a heading, then rows of 18 px; row 1 is the second font.
click 100 $((229 + 18 + 18 + 9))
expect_changed start font "choosing a font"

choose_largest_texture
expect_changed font large "choosing 2048"

click 849 215
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 50 "60"
expect_changed large moved "typing dx 60"

click 28 482
expect_changed moved plain "switching Bold off"

quit_app
echo "ok"
