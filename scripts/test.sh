#!/usr/bin/env bash
# From a fresh checkout: install what is missing, check the formatting, then
# build and run every test, first in the optimised build, then under the
# sanitizers, then the fuzz targets over their corpora. Then the checks that the program stays
# portable: the program built on the dummy platform back-end, and the portable
# core compiled for Windows. Then the Debian package is built, installed, tried
# and removed again (scripts/check-package.sh). Last, each fuzz target runs for
# a bounded time (TAPSODY_FUZZ_SECONDS, 60 s by default; 0 skips it).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== formatting"
scripts/check-format.sh

for preset in default asan fuzz; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    echo "== $preset tests"
    ctest --preset "$preset"
done

echo "== the program on the dummy platform"
cmake --preset dummy >/dev/null
cmake --build --preset dummy
# With nothing to type into, it has to say so and end.
if message=$(QT_QPA_PLATFORM=offscreen build/dummy/src/app/tapsody 2>&1); then
    echo "the program on the dummy platform did not refuse to start" >&2
    exit 1
fi
grep -q "needs an X11 display" <<<"$message" || { echo "$message" >&2; exit 1; }

echo "== the portable core for Windows"
scripts/check-windows-compile.sh

scripts/check-package.sh

seconds=${TAPSODY_FUZZ_SECONDS:-60}
if [[ $seconds -gt 0 ]]; then
    echo "== fuzzing, $seconds s a target"
    scripts/fuzz.sh "$seconds"
fi
