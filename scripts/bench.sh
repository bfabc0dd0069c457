#!/usr/bin/env bash
# Runs every benchmark (medians of 5 repetitions) and then bench/compare.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/rv_bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
./bench/compare "$build"
