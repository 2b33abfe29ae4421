#!/usr/bin/env bash
# Builds and runs the photo benchmark in build-bench/ (Release), offscreen.
#   bench/photo/run.sh [repetitions]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOLVANE_BUILD_BENCH=ON -DSOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target photo_bench -j "$(nproc)"
QT_QPA_PLATFORM=offscreen "$build/bench/photo/photo_bench" "$@"
