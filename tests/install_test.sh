#!/bin/bash
# cmake --install puts the program and what desktops, software centres and
# man read about it where they look for them.
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/vantor-font-mapper" ] || { echo "FAIL: no executable in bin" >&2; exit 1; }
for file in applications/vantor-font-mapper.desktop metainfo/org.vantor.FontMapper.metainfo.xml \
  man/man1/vantor-font-mapper.1.gz doc/vantor-font-mapper/copyright doc/vantor-font-mapper/changelog.gz; do
  [ -s "$prefix/share/$file" ] || { echo "FAIL: no share/$file" >&2; exit 1; }
done
[ "$(identify -format '%w x %h' "$prefix/share/icons/hicolor/256x256/apps/vantor-font-mapper.png")" = "256 x 256" ]
echo "ok"
