#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/), runs each benchmark program three
# times and prints, for every figure with a limit, the best of the three ratios beside
# the ratio allowed. Exits 1 when a best ratio is over its limit.
#
#   scripts/bench.sh [--core N] [--runs N] [benchmark options...]
#
# --core N runs the programs pinned to CPU N (taskset); other options, such as
# --benchmark_min_time=0.5, go to every program.
set -euo pipefail
cd "$(dirname "$0")/.."

core=""
runs=3
options=()
while [ $# -gt 0 ]; do
    case "$1" in
    --core) core="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    *) options+=("$1"); shift ;;
    esac
done

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRION_BUILD_TESTS=OFF \
    -DKESTRION_BUILD_BENCHMARKS=ON >/dev/null
programs=()
for source in bench/bench_*.cpp; do
    programs+=("$(basename "$source" .cpp)")
done
cmake --build "$build" --target "${programs[@]}" >/dev/null

pin=()
if [ -n "$core" ]; then
    pin=(taskset -c "$core")
fi

results=$(mktemp)
trap 'rm -f "$results"' EXIT
for program in "${programs[@]}"; do
    for run in $(seq "$runs"); do
        echo "$program, run $run of $runs" >&2
        # The limits table follows the line that starts with "figure"; each row reads
        # figure, ms, limit figure, ms, ratio, allowed and OVER when over.
        QT_QPA_PLATFORM=offscreen "${pin[@]}" "$build/bin/$program" --benchmark_color=false \
            "${options[@]}" 2>/dev/null |
            awk -v program="$program" '
                $1 == "figure" { table = 1; next }
                table && NF >= 6 { print program, $1, $2, $3, $4, $5, $6 }' >>"$results"
    done
done

awk -v runs="$runs" '
    {
        key = $1 " " $2
        if (!(key in best) || $6 < best[key]) {
            best[key] = $6; ms[key] = $3; limit[key] = $4; limitMs[key] = $5
        }
        allowed[key] = $7; seen[key]++
        if (!(key in order)) { order[key] = ++count; keys[count] = key }
    }
    END {
        printf "%-14s %-32s %10s  %-30s %10s %7s %8s\n", "program", "figure", "ms", "limit", "ms", "ratio", "allowed"
        over = 0
        for (i = 1; i <= count; i++) {
            k = keys[i]; split(k, name, " ")
            verdict = best[k] > allowed[k] ? "  OVER" : ""
            if (best[k] > allowed[k]) over = 1
            if (seen[k] < runs) verdict = verdict "  (" seen[k] " of " runs " runs)"
            printf "%-14s %-32s %10.3f  %-30s %10.3f %7.2f %8.2f%s\n", name[1], name[2], ms[k], limit[k], limitMs[k], best[k], allowed[k], verdict
        }
        if (count == 0) { print "no figures with limits were printed"; exit 1 }
        exit over
    }' "$results"
