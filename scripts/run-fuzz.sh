#!/usr/bin/env bash
# Runs every fuzz target for a fixed number of executions and fails on any finding.
# The seed corpora in fuzz/corpus stay untouched: each run grows a working copy in the build folder.
#   TES_FUZZ_RUNS     executions per target (default 1000000)
#   TES_FUZZ_TARGETS  the targets to run (default all)
#   TES_FUZZ_JOBS     targets run side by side (default: the number of processors)
# The targets write their inputs to files; they do so in memory (/dev/shm) when it is available.
set -euo pipefail
build=${1:?build folder}
runs=${TES_FUZZ_RUNS:-1000000}
targets=${TES_FUZZ_TARGETS:-numbers fields ini environment combiner project}
jobs=${TES_FUZZ_JOBS:-$(nproc)}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

run_target() {
    local target=$1 work="$build/fuzz-corpus/$1" start status=0
    mkdir -p "$work"
    start=$(date +%s)
    "$build/bin/fuzz_$target" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-$target-" "$work" "$root/fuzz/corpus/$target" \
        >"$build/fuzz-$target.log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        echo "fuzz_$target: finding (exit $status), see $build/fuzz-$target.log"
        tail -40 "$build/fuzz-$target.log"
        return 1
    fi
    printf '%-12s %s executions in %ss\n' "$target" "$runs" "$(($(date +%s) - start))"
}

rm -f "$build"/fuzz-*.failed
for target in $targets; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    (run_target "$target" || touch "$build/fuzz-$target.failed") &
done
wait
! ls "$build"/fuzz-*.failed >/dev/null 2>&1
