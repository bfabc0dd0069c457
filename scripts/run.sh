#!/usr/bin/env bash
# Launches the editor; where it is not built yet, shows the batch command at work.
set -euo pipefail
build=${1:-build}
if [ -x "$build/rastrovia" ]; then
  exec "$build/rastrovia" "${@:2}"
fi
out="$build/coffee-kontrast.png"
"$build/src/batch/rastrovia-batch" samples/coffee.png "$out" --filter Contrast --set CanalR=200
echo "The batch command raised the contrast of samples/coffee.png: $(realpath "$out")"
