#!/usr/bin/env bash
# Runs the libFuzzer targets of build/sanitize (built by scripts/setup.sh) for
# as long as one asks:  scripts/fuzz.sh [seconds per target] [target ...]
# (default 60 s, every target). Inputs may grow to FUZZ_MAX_LEN bytes (default
# 1 MB, room for faults that only size brings out). New inputs collect in
# build/sanitize/tests/fuzz/corpus/<target>; a crash is saved beside the
# target's log as crash-<hash> and ends the run with a failure.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
max_len=${FUZZ_MAX_LEN:-1048576}
shift || true
dir=$root/build/sanitize/tests/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for seeds in "$root"/tests/fuzz/corpus/*/; do
        name=$(basename "$seeds")
        [ -x "$dir/$name" ] && targets+=("$name")
    done
fi
status=0
for name in "${targets[@]}"; do
    mkdir -p "$dir/corpus/$name"
    (cd "$dir" && "./$name" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
        "corpus/$name" "$root/tests/fuzz/corpus/$name" >"$name.long.log" 2>&1)
    result=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/$name.long.log")
    echo "fuzz $name: ${runs:-0} inputs in $seconds s, exit $result"
    if [ $result -ne 0 ]; then
        status=1
        grep -E "ERROR|runtime error|SUMMARY|^ *#[0-9]" "$dir/$name.long.log" | head -20
    fi
done
exit $status
