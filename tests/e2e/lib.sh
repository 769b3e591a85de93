# Shared by the end-to-end tests: each runs the real program in its own Xvfb
# and drives it with xdotool. Source it with the program's path as $1.
set -euo pipefail

if [ -z "${VANTOR_E2E_DISPLAY:-}" ]; then
  VANTOR_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

APP=$1
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
WORK=$(mktemp -d)
APP_PID=
trap 'kill "$APP_PID" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR" "$WORK"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts the program and sets WINDOW to its main window once it is mapped.
start_app() {
  "$APP" >"$WORK/out.log" 2>&1 &
  APP_PID=$!
  WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vantor Font Mapper$' | head -n 1) ||
    fail "the main window did not appear"
  xdotool windowfocus --sync "$WINDOW"
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
