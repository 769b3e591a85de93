# Shared by the end-to-end tests: each runs the real program in its own Xvfb
# and drives it only as a user would, with xdotool, reading results from
# files, the clipboard and screenshots. Source it with the program as $1.
set -euo pipefail

if [ -z "${VANTOR_E2E_DISPLAY:-}" ]; then
  VANTOR_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

APP=$1
# Folders of its own, and none of the desktop's scaling or style.
export XDG_RUNTIME_DIR XDG_CONFIG_HOME LC_ALL=C.UTF-8
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME QT_LOGGING_RULES
XDG_RUNTIME_DIR=$(mktemp -d)
XDG_CONFIG_HOME=$(mktemp -d)
WORK=$(mktemp -d)
APP_PID=
trap 'kill "$APP_PID" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs a command until it succeeds, for up to 10 s.
eventually() {
  for _ in $(seq 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to 20 s for a visible window whose title is $1; prints its id.
# Searched again and again rather than with --sync: a search fails at once
# (BadWindow) when another window closes while it looks.
wait_window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window titled '$1' appeared"
}
window_gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null; }

# Sets GEOMETRY_X, _Y, _WIDTH and _HEIGHT from window $1.
geometry_of() {
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=' | sed 's/^/GEOMETRY_/')"
}

# Starts the program; sets WINDOW, and CONTENT_X/CONTENT_Y, the screen
# position of the content area below the menu bar.
start_app() {
  "$APP" >"$WORK/out.log" 2>&1 &
  APP_PID=$!
  WINDOW=$(wait_window "Vantor Font Mapper")
  xdotool windowfocus --sync "$WINDOW"
  geometry_of "$WINDOW"
  CONTENT_X=$GEOMETRY_X
  CONTENT_Y=$((GEOMETRY_Y + GEOMETRY_HEIGHT - 546))
}

# Clicks at a point of the content area. A --sync move to where the pointer
# already is waits 15 s for a motion that never comes.
click() {
  local x=$((CONTENT_X + $1)) y=$((CONTENT_Y + $2))
  eval "$(xdotool getmouselocation --shell | grep -E '^(X|Y)=' | sed 's/^/POINTER_/')"
  if [ "$POINTER_X $POINTER_Y" = "$x $y" ]; then
    xdotool click 1
  else
    xdotool mousemove --sync "$x" "$y" click 1
  fi
}

# Opens the texture size popup and clicks its last item, 2048.
choose_largest_texture() {
  local popup
  click 887 120
  popup=$(timeout 10 xdotool search --sync --onlyvisible --classname 'vantor-font-mapper' | grep -v "^$WINDOW\$" | tail -n 1)
  geometry_of "$popup"
  xdotool mousemove --sync $((GEOMETRY_X + GEOMETRY_WIDTH / 2)) $((GEOMETRY_Y + GEOMETRY_HEIGHT - 8)) click 1
}

# Saves the 512 x 512 preview as it shows on screen to $WORK/$1.png.
shoot_preview() { import -window root -crop 512x512+$((CONTENT_X + 293))+$((CONTENT_Y + 14)) +repage "$WORK/$1.png"; }
preview_differs() {
  shoot_preview "$2"
  [ "$(compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true)" -gt 100 ]
}
# Fails unless the preview, shot as $2, comes to differ from shot $1.
expect_changed() { eventually preview_differs "$1" "$2" || fail "$3: the preview did not change"; }

# Waits for a file; saves put files in place whole.
wait_file() { eventually test -s "$1" || fail "$1 was not written"; }

# Answers dialog $1 with keys $3 (typing $2 first, when given). Keys typed
# before Qt has moved its focus into the dialog are lost, so it types again
# until the dialog closes.
answer() {
  local dialog
  dialog=$(wait_window "$1")
  for _ in 1 2 3 4 5; do
    xdotool windowfocus --sync "$dialog"
    [ -z "$2" ] || { xdotool key --clearmodifiers ctrl+a; xdotool type --delay 20 "$2"; }
    xdotool key Return
    eventually window_gone "$1" && return 0
  done
  fail "the dialog '$1' did not close"
}
save_as() { answer "Save As" "$1"; }
confirm_png_settings() { answer "PNG Settings" ""; }

# Types $3 into grid cell ($1, $2), replacing its text, and presses Enter.
# The grid's ten rows share its 200 px; a column is a tenth of its width.
type_into_cell() {
  xdotool windowfocus --sync "$WINDOW"
  click $((20 + 1 + $2 * 26 + 12)) $((14 + 1 + $1 * 20 + 10))
  xdotool type --delay 50 "$3"
  xdotool key Return
}

# Whether row $1 of the width table, copied by its Copy button, starts with
# the cell text $2.
table_row_is() {
  click 887 463
  xclip -o -selection clipboard 2>/dev/null | tr '\r' '\n' | sed -n "$1p" | grep -q "^$2	"
}

app_ended() { ! kill -0 "$APP_PID" 2>/dev/null; }

# Ctrl+Q, which must end the program with status 0 and nothing printed.
quit_app() {
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$WINDOW"
    xdotool key --clearmodifiers ctrl+q
    eventually app_ended && break
  done
  STATUS=0
  timeout 30 tail --pid="$APP_PID" -f /dev/null || fail "the program did not end"
  wait "$APP_PID" || STATUS=$?
  APP_PID=
  [ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Ctrl+Q"
  [ ! -s "$WORK/out.log" ] || fail "the program printed: $(cat "$WORK/out.log")"
}
