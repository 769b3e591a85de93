#!/bin/bash
# The window's keys beside the limit of the same work, in one run: rounds
# alternating the limit program (FreeType called directly on the same grid
# and pens, with the preview's shrink: its `all` table) and vantor_bench,
# the least of each printed, as the machine is shared and noisy.
# Usage: bench/beside_limit.sh LIMIT_PROGRAM [ROUNDS] [BUILD_DIR]
set -euo pipefail
limit=$1
rounds=${2:-5}
build=${3:-build}
filter='BM_(FirstUseOfASize|EngineFirstUseOfASize|DxKeystroke|DxKeystrokeSampleAndOverflow|EngineDx|CellKeystroke|FontChange)/(1024|2048)/'
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for round in $(seq "$rounds"); do
  "$limit" all >"$out/limit.$round"
  FONTCONFIG_FILE="$PWD/$build/fonts.conf" QT_QPA_PLATFORM=offscreen \
    "$build/bench/vantor_bench" --benchmark_filter="$filter" --benchmark_min_time=0.3 >"$out/bench.$round" 2>/dev/null
done
echo "least of $rounds rounds, ms, on $(nproc) cores"
# Benchmark lines: name, time and unit; limit lines: what, side, least.
cat "$out"/bench.* | awk '$1 ~ /^BM_/ {
    name = $1; sub("/real_time", "", name)
    ms = $2 * ($3 == "us" ? 0.001 : $3 == "ns" ? 0.000001 : 1)
    if (!(name in least) || ms < least[name]) least[name] = ms
  }
  END { for (name in least) printf "%-52s %8.3f\n", name, least[name] }' | sort
cat "$out"/limit.* | awk '/^(cycle|dx key)/ && ($(NF-3) == 1024 || $(NF-3) == 2048) {
    what = $0; sub(/ +[0-9]+ +[0-9.]+ +[0-9.]+ +[0-9.]+ *$/, "", what)
    key = "limit: " what " " $(NF-3)
    if (!(key in least) || $(NF-2) < least[key]) least[key] = $(NF-2)
  }
  END { for (key in least) printf "%-52s %8.3f\n", key, least[key] }' | sort
