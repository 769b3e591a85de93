#!/bin/bash
# Runs every fuzz target under the sanitizers it was built with, and fails
# when one finds a fault, printing the input that shows it.
#   run.sh BUILD_DIR SECONDS      a random search of that many seconds per
#                                 target, from the corpus it has found so far
#   run.sh BUILD_DIR check RUNS   what CI runs, the same at every run: each
#                                 saved input (seeds and regressions) once,
#                                 then RUNS inputs searched from seed 1
set -uo pipefail
build=$1
mode=$2
runs=${3:-0}
here=$(cd "$(dirname "$0")" && pwd)
found=0
for target in fuzz_text fuzz_font; do
    crashes=$build/crashes
    mkdir -p "$crashes"
    saved=()
    if [ "$target" = fuzz_font ]; then
        [ -d "$build/fuzz-seeds/font" ] || { echo "$build/fuzz-seeds/font is missing: build the fuzz targets first"; exit 2; }
        saved+=("$build/fuzz-seeds/font")
    fi
    [ -d "$here/regressions/$target" ] && saved+=("$here/regressions/$target")
    log=$build/$target.log
    # Unbounded work or memory is a finding too.
    options=(-rss_limit_mb=2048 -timeout=10 -max_len=524288 -print_final_stats=1 -artifact_prefix="$crashes/$target-")
    if [ "$mode" = check ]; then
        # A corpus of its own for each run: what an earlier run found must
        # not change what this one searches.
        corpus=$(mktemp -d)
        ASAN_OPTIONS=detect_leaks=0 "$build/tests/fuzz/$target" "${options[@]}" -runs=0 "${saved[@]}" > "$log" 2>&1 &&
            ASAN_OPTIONS=detect_leaks=0 "$build/tests/fuzz/$target" "${options[@]}" -seed=1 -runs="$runs" \
                "$corpus" "${saved[@]}" >> "$log" 2>&1
        status=$?
        rm -rf "$corpus"
        what="every saved input, then $runs from seed 1"
    else
        corpus=$build/corpus/$target
        mkdir -p "$corpus"
        ASAN_OPTIONS=detect_leaks=0 "$build/tests/fuzz/$target" "${options[@]}" -max_total_time="$mode" \
            "$corpus" "${saved[@]}" > "$log" 2>&1
        status=$?
        what="$mode s of random search"
    fi
    executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
    coverage=$(grep -E 'DONE[[:space:]]+cov:' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+')
    echo "$target ($what): ${executions:-?} executions, ${coverage:-no coverage reported}"
    if [ "$status" -ne 0 ]; then
        found=1
        echo "$target found a fault (exit $status); its input:"
        grep -E 'Test unit written to|artifact_prefix|Running: ' "$log" | tail -3 | sed 's/^/  /'
        tail -40 "$log" | grep -E 'ERROR|SUMMARY|does not hold' | sed 's/^/  /'
    fi
done
exit $found
