#!/bin/bash
# cmake --install puts the program, its desktop entry and its icon where
# desktops look for them.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/vantor-font-mapper" ] || fail "no executable in bin"
desktop="$prefix/share/applications/vantor-font-mapper.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
for line in "Type=Application" "Name=Vantor Font Mapper" "Exec=vantor-font-mapper" "Icon=vantor-font-mapper" \
            "Categories=Graphics;Development;"; do
  grep -qx "$line" "$desktop" || fail "the desktop entry lacks $line"
done
icon="$prefix/share/icons/hicolor/256x256/apps/vantor-font-mapper.png"
[ "$(identify -format '%w x %h' "$icon")" = "256 x 256" ] || fail "no 256 x 256 icon"
echo "ok"
