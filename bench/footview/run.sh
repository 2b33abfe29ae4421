#!/usr/bin/env bash
# Builds and runs the foot view benchmark in build-bench/ (Release) on a
# virtual X server, with llvmpipe held to two threads as on the clinic PCs.
#   bench/footview/run.sh [triangles] [repetitions] [wrl|stl]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOLVANE_BUILD_BENCH=ON -DSOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target footview_bench -j "$(nproc)"
LP_NUM_THREADS=2 xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/footview/footview_bench" "$@"
