#!/usr/bin/env bash
# Builds the fuzz targets (the fuzz preset) and fuzzes each for a bounded time.
#
#   scripts/fuzz.sh [seconds] [target...]     60 s each and every target by default
#
# The targets grow a working corpus in build/fuzz/runs/<target>/ from their seeds
# in tests/fuzz/corpus/<target>/, so a later run goes on where one stopped. An
# input that crashes a target, breaks its invariant, leaks or hangs is a finding:
# it is copied into the seed corpus as a regression input, and the run fails.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
    for corpus in tests/fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi

# The settings file target writes a file each run: in memory it need not wait for the disk.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm

failed=0
for target in "${targets[@]}"; do
    run=build/fuzz/runs/$target
    seeds=tests/fuzz/corpus/$target
    mkdir -p "$run/corpus" "$run/findings"
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$run/findings/")
    [[ -f tests/fuzz/$target.dict ]] && options+=(-dict="tests/fuzz/$target.dict")
    echo "== fuzzing $target for $seconds s"
    if ! build/fuzz/tests/fuzz/"$target" "${options[@]}" "$run/corpus" "$seeds" >"$run/log" 2>&1; then
        failed=$((failed + 1))
        tail -n 60 "$run/log"
    fi
    for finding in "$run"/findings/*; do
        [[ -e $finding ]] || continue
        mv "$finding" "$seeds/"
        echo "finding kept as $seeds/$(basename "$finding"), in base64:"
        base64 -w 0 "$seeds/$(basename "$finding")" | head -c 8192
        echo
    done
    # "#N DONE cov: E ft: F corp: U/B ..." and the executions per second.
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$run/log" | tail -n 1 | tr -s '[:space:]' ' ' || true)
    speed=$(grep -E '^stat::average_exec_per_sec' "$run/log" | awk '{print $2}' || true)
    echo "$target: ${speed:-?} exec/s; ${done_line:-no summary, see $run/log}"
done
echo "fuzz: $((${#targets[@]} - failed)) passed, $failed failed"
[[ $failed -eq 0 ]]
