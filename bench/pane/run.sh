#!/usr/bin/env bash
# Builds and runs the insole pane benchmark in build-bench/ (Release), offscreen.
#   bench/pane/run.sh [repetitions]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOLVANE_BUILD_BENCH=ON -DSOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target pane_bench -j "$(nproc)"
QT_QPA_PLATFORM=offscreen "$build/bench/pane/pane_bench" "$@"
