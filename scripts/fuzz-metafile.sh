#!/usr/bin/env bash
# Fuzzes the metafile reader with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, seeded with the metafile corpus.
# Usage: scripts/fuzz-metafile.sh [seconds] [corpus folder...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRV_SANITIZE=ON -DRV_BUILD_FUZZ=ON \
  -DRV_BUILD_UI=OFF -DRV_BUILD_TESTS=OFF -DRV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target rv_fuzz_metafile -j "$(nproc)"
seeds=("$@")
if [ ${#seeds[@]} -eq 0 ]; then
  seeds=(tests/data/metafiles/emf tests/data/metafiles/emf-corrupted tests/metafile/data/fuzz)
fi
work="$build/corpus"
mkdir -p "$work" "$build/crashes"
export QT_QPA_PLATFORM=offscreen
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=0 \
  "$build/fuzz/rv_fuzz_metafile" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="${MAX_LEN:-262144}" \
  -artifact_prefix="$build/crashes/" "$work" "${seeds[@]}"
