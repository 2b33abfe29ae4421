#!/usr/bin/env bash
# Builds and runs the intake benchmark in build-bench/ (Release): the window
# opening offscreen, then the scan on a virtual X server with llvmpipe held
# to two threads as on the clinic PCs.
#   bench/intake/run.sh [names] [triangles] [repetitions]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOLVANE_BUILD_BENCH=ON -DSOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target intake_bench -j "$(nproc)"
names=${1:-500}
triangles=${2:-500000}
repetitions=${3:-7}
QT_QPA_PLATFORM=offscreen "$build/bench/intake/intake_bench" open "$names" "$repetitions"
LP_NUM_THREADS=2 xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/bench/intake/intake_bench" scan "$triangles" "$repetitions"
