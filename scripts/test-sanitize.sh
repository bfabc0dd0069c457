#!/usr/bin/env bash
# Runs the test programs that need no windows (kernels, engine, tools, history,
# readers and writers, the batch command, and the metafile reader with its
# corpus, damaged, truncated and bit-flipped files) under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
jobs=${JOBS:-$(nproc)}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRV_SANITIZE=ON -DRV_BUILD_UI=OFF -DRV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target rv_metafile_tests rv_core_tests rv_tools_tests rv_history_tests \
  rv_save_tests rv_batch_tests rv_batch_save_tests rv_photo_tests
# Qt keeps some allocations until exit on purpose; leaks are not what this run looks for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build" && ctest --output-on-failure -j "$jobs"
