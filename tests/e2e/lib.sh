# Shared by the end-to-end tests: each runs the real program in its own Xvfb
# and drives it only as a user would, with xdotool, reading results from
# files, the clipboard and screenshots. Source it with the program as $1.
set -euo pipefail

if [ -z "${VANTOR_E2E_DISPLAY:-}" ]; then
  VANTOR_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

APP=$1
export XDG_RUNTIME_DIR XDG_CONFIG_HOME
XDG_RUNTIME_DIR=$(mktemp -d)
XDG_CONFIG_HOME=$(mktemp -d)
WORK=$(mktemp -d)
APP_PID=
trap 'kill "$APP_PID" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$WORK"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits up to 20 s for a visible window whose title is $1; prints its id.
wait_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 || fail "no window titled '$1' appeared"
}

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
  sleep 0.5
}

# Clicks at a point of the content area.
click() {
  xdotool mousemove --sync $((CONTENT_X + $1)) $((CONTENT_Y + $2)) click 1
  sleep 0.3
}

# Opens the texture size popup and clicks its last item, 2048.
choose_largest_texture() {
  local popup
  click 887 120
  popup=$(timeout 10 xdotool search --sync --onlyvisible --classname 'vantor-font-mapper' | grep -v "^$WINDOW\$" | tail -n 1)
  geometry_of "$popup"
  xdotool mousemove --sync $((GEOMETRY_X + GEOMETRY_WIDTH / 2)) $((GEOMETRY_Y + GEOMETRY_HEIGHT - 8)) click 1
  sleep 0.5
}

# Saves the 512 x 512 preview as it shows on screen to $WORK/$1.png.
shoot_preview() {
  import -window root -crop 512x512+$((CONTENT_X + 293))+$((CONTENT_Y + 14)) +repage "$WORK/$1.png"
}

# How many pixels differ between two screenshots.
pixels_differing() {
  compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true
}

expect_changed() {
  local count
  count=$(pixels_differing "$1" "$2")
  [ "$count" -gt 100 ] || fail "$3: the preview did not change ($count pixels)"
}

# Waits up to 10 s for a file to exist with stable contents.
wait_file() {
  for _ in $(seq 50); do
    if [ -s "$1" ]; then
      sleep 0.2
      return 0
    fi
    sleep 0.2
  done
  fail "$1 was not written"
}

# Answers the save dialog with a path.
save_as() {
  local dialog
  dialog=$(wait_window "Save As")
  xdotool windowfocus --sync "$dialog"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key Return
}

# Waits for the program to end and sets STATUS to its exit status.
wait_app() {
  STATUS=0
  timeout 30 tail --pid="$APP_PID" -f /dev/null || fail "the program did not end"
  wait "$APP_PID" || STATUS=$?
  APP_PID=
}

# Fails when the program printed anything (a Qt warning, a crash report).
expect_quiet_output() {
  [ ! -s "$WORK/out.log" ] || fail "the program printed: $(cat "$WORK/out.log")"
}

quit_app() {
  xdotool windowfocus --sync "$WINDOW"
  xdotool key --clearmodifiers ctrl+q
  wait_app
  [ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Ctrl+Q"
  expect_quiet_output
}
