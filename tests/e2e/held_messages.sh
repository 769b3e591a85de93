#!/bin/bash
# What Qt says while it starts, held back until it is known to have started,
# is printed once it has.
set -uo pipefail
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
output=$(QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="qt.qpa.plugin=true" XDG_RUNTIME_DIR=$runtime timeout 3 "$1" 2>&1)
grep -q 'Successfully loaded Qt platform plugin "offscreen"' <<<"$output" || { echo "FAIL: got: $output" >&2; exit 1; }
echo "ok"
