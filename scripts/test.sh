#!/usr/bin/env bash
# From a fresh checkout: install what is missing, build, and run every test,
# first in the optimised build, then the unit tests under the sanitizers, then
# the fuzz targets over their corpora; last, each fuzz target runs for a bounded
# time (TAPSODY_FUZZ_SECONDS, 60 s by default; 0 skips it).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in default asan fuzz; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    echo "== $preset tests"
    ctest --preset "$preset"
done

seconds=${TAPSODY_FUZZ_SECONDS:-60}
if [[ $seconds -gt 0 ]]; then
    echo "== fuzzing, $seconds s a target"
    scripts/fuzz.sh "$seconds"
fi
