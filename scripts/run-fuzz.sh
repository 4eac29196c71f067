#!/usr/bin/env bash
# Runs every fuzz target for a fixed number of executions and fails on the first finding.
# The seed corpora in fuzz/corpus stay untouched: each run grows a working copy in the build folder.
set -euo pipefail
build=${1:?build folder}
runs=${TES_FUZZ_RUNS:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
for target in numbers fields ini environment combiner project; do
    work="$build/fuzz-corpus/$target"
    mkdir -p "$work"
    start=$(date +%s)
    "$build/bin/fuzz_$target" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-" "$work" "$root/fuzz/corpus/$target" \
        >"$build/fuzz-$target.log" 2>&1 || { tail -40 "$build/fuzz-$target.log"; exit 1; }
    printf '%-12s %s executions in %ss\n' "$target" "$runs" "$(( $(date +%s) - start ))"
done
