#!/bin/bash
# Runs every fuzz target for the seconds given, each on its corpus (and the
# font target on its seeds), under the sanitizers it was built with; prints
# each target's executions and the path of any crash input, and fails when
# one was found. Usage: run.sh BUILD_DIR SECONDS
set -uo pipefail
build=$1
seconds=$2
found=0
for target in fuzz_text fuzz_font; do
    corpus=$build/corpus/$target
    crashes=$build/crashes
    mkdir -p "$corpus" "$crashes"
    seeds=()
    [ "$target" = fuzz_font ] && seeds=("$build/fuzz-seeds/font")
    log=$build/$target.log
    # Unbounded work or memory is a finding too.
    ASAN_OPTIONS=detect_leaks=0 "$build/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -rss_limit_mb=2048 -timeout=10 -max_len=524288 -artifact_prefix="$crashes/$target-" \
        "$corpus" "${seeds[@]}" > "$log" 2>&1
    status=$?
    executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    coverage=$(grep -E 'DONE[[:space:]]+cov:' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+')
    echo "$target: ${executions:-?} executions in ${seconds} s, ${coverage:-no coverage reported}"
    if [ "$status" -ne 0 ]; then
        found=1
        echo "$target found a fault (exit $status); its input:"
        grep -E 'Test unit written to|artifact_prefix' "$log" | sed 's/^/  /'
        tail -40 "$log" | grep -E 'ERROR|SUMMARY|does not hold' | sed 's/^/  /'
    fi
done
exit $found
