#!/usr/bin/env bash
# Runs the benchmarks of a Release build with benchmarks (make bench builds build/release first) and
# prints their tables. The generated projects (fixed seed; 100 thousand to 10 million records, about
# 430 MB for the largest) are written once into <build>/bench-data and reused by later runs.
# Every figure of a run also lands as JSON in <build>/bench-results.
# TES_BENCH_FILTER narrows the cases (a regular expression), TES_BENCH_REPETITIONS repeats each one
# (the table shows the medians).
set -euo pipefail
build=${1:?build folder}
bin="$build/bin"
data="$build/bench-data"
results="$build/bench-results"
filter=${TES_BENCH_FILTER:-.}
repetitions=${TES_BENCH_REPETITIONS:-3}
seed=20240601

for program in tes_bench tes-generate-project enviro-script; do
    [[ -x "$bin/$program" ]] || { echo "run-bench: $bin/$program is missing (configure with -DTES_BUILD_BENCH=ON)" >&2; exit 1; }
done
mkdir -p "$data" "$results"

for records in 100000 1000000 2000000 10000000; do
    folder="$data/Records$records"
    stamp="$folder/generated-$seed"
    if [[ ! -f "$stamp" ]]; then
        rm -rf "$folder"
        "$bin/tes-generate-project" "$folder" Bench "$records" "$seed"
        touch "$stamp"
    fi
done

export TES_BENCH_DATA="$data"
run() {
    local program=$1
    echo
    echo "== $program"
    "$bin/$program" --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
        --benchmark_out="$results/$program.json" --benchmark_out_format=json
}
run tes_bench
if [[ -x "$bin/tes_view_bench" ]]; then
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} run tes_view_bench
fi
echo
echo "JSON: $results"
