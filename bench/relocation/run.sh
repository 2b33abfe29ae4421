#!/usr/bin/env bash
# Builds and runs the job relocation benchmark in build-bench/ (Release).
#   bench/relocation/run.sh [scan MB] [repetitions]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOLVANE_BUILD_BENCH=ON -DSOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target relocation_bench -j "$(nproc)"
"$build/bench/relocation/relocation_bench" "$@"
