#!/bin/bash
# View > Sample Text, chosen with the keyboard, opens the sample text window
# with its field focused; typing into the field changes the view.
. "$(dirname "$0")/lib.sh"

start_app
xdotool key --clearmodifiers alt+v s
sample=$(wait_window "Sample Text")
geometry_of "$sample"
# The view alone: between the field's row and the facts' line.
shoot_sample() { import -window "$sample" -crop "${GEOMETRY_WIDTH}x$((GEOMETRY_HEIGHT - 90))+0+45" +repage "$WORK/$1.png"; }
sample_changed() {
  shoot_sample typed
  [ "$(compare -metric AE "$WORK/opened.png" "$WORK/typed.png" null: 2>&1 || true)" -gt 100 ]
}
# Shown once two shots agree.
settled() {
  shoot_sample before
  shoot_sample opened
  [ "$(compare -metric AE "$WORK/before.png" "$WORK/opened.png" null: 2>&1 || true)" = 0 ]
}
eventually settled || fail "the sample text window did not settle"
xdotool type --delay 50 "WWW"
eventually sample_changed || fail "typing into the sample text did not change the view"
quit_app
echo "ok"
