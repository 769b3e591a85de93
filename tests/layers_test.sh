#!/bin/bash
# The layers' check fails, in words, on an include running upward, sideways
# or out of its folder, and on Qt or FreeType named below or beside their
# owners; it passes the tree as it is.
set -euo pipefail
source=$1 layers=$2 headers=$3
check() { cmake -DSOURCE_DIR="$1" -DLAYERS="$layers" -DLIBRARY_HEADERS="$headers" -P "$source/cmake/check_layers.cmake" 2>&1; }
check "$source" >/dev/null || { echo "the tree itself breaks its layers:"; check "$source"; exit 1; }
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir "$tree"/{text,raster,framework,fontmap,window,app}
for planted in 'fontmap/a.cpp:#include "window/window1.h":window is above fontmap' \
  'raster/a.cpp:#include "framework/text.h":framework is above raster' \
  'fontmap/c.cpp:#include <framework/text.h>:framework is beside fontmap' \
  'raster/b.cpp:#include "../fontmap/atlas.h":never by a path out of this one' \
  'fontmap/b.h:#include <QImage>:only framework/ includes that library' \
  'window/a.cpp:#include <hb.h>:only raster/ includes that library'; do
  IFS=: read -r file line said <<<"$planted"
  echo "$line" >"$tree/$file"
  if out=$(check "$tree"); then echo "not caught: $line in $file"; exit 1; fi
  grep -qF "$file:1 includes" <<<"$out" && grep -qF "$said" <<<"$out" || { echo "for $line in $file it said: $out"; exit 1; }
  rm "$tree/$file"
done
