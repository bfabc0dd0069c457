#!/usr/bin/env bash
# Runs the metafile reader's tests (corpus, damaged, truncated and bit-flipped
# files) under AddressSanitizer and UndefinedBehaviorSanitizer, in a build of
# their own.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
jobs=${JOBS:-$(nproc)}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRV_SANITIZE=ON -DRV_BUILD_UI=OFF -DRV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target rv_metafile_tests -j "$jobs"
# Qt keeps some allocations until exit on purpose; leaks are not what this run looks for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build" && ctest -R '^Metafile' --output-on-failure -j "$jobs"
