#!/usr/bin/env bash
# Writes the filters' help pages into docs/ (docs/filtry.html and docs/filtry/)
# with the batch command of the given build.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
"$build"/src/batch/rastrovia-batch --help-pages docs --sample samples/coffee.png --overlay samples/rocket.jpg
