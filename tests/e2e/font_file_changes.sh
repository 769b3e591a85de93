#!/bin/bash
# With fonts of its own, the one drawn also the one its interface is drawn
# in: that font's file replaced in place by another (as cp does, cutting it
# first), cut to nothing, deleted, and a FIFO and a folder put where it was,
# each followed by a key into dx. The program goes on through all of it and
# quits with Ctrl+Q as ever.
. "$(dirname "$0")/lib.sh"

fonts=$WORK/fonts
mkdir "$fonts"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/sans.ttf"
cp /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf "$fonts/serif.ttf"
printf '<?xml version="1.0"?><fontconfig><dir>%s</dir><cachedir>%s/cache</cachedir></fontconfig>\n' \
  "$fonts" "$WORK" >"$WORK/fonts.conf"
export FONTCONFIG_FILE=$WORK/fonts.conf

start_app
key_into_dx() {
  click 849 215
  xdotool key --clearmodifiers End "$1"
  sleep 0.5
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after $2"
}
cp "$fonts/serif.ttf" "$fonts/sans.ttf"
key_into_dx 5 "its font's file was replaced in place"
truncate -s 0 "$fonts/sans.ttf"
key_into_dx BackSpace "its font's file was cut to nothing"
rm "$fonts/sans.ttf"
key_into_dx 6 "its font's file was deleted"
mkfifo "$fonts/sans.ttf"
key_into_dx BackSpace "a FIFO took its font's place"
rm "$fonts/sans.ttf"
mkdir "$fonts/sans.ttf"
key_into_dx 7 "a folder took its font's place"
quit_app
echo "ok"
