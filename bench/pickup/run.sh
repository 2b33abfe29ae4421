#!/usr/bin/env bash
# Builds and runs the scan pick-up benchmark in build-bench/ (Release) on a
# virtual X server, with llvmpipe held to two threads as on the clinic PCs.
#   bench/pickup/run.sh [triangles] [repetitions]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOLVANE_BUILD_BENCH=ON -DSOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target pickup_bench -j 2
LP_NUM_THREADS=2 xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/pickup/pickup_bench" "$@"
