#!/usr/bin/env bash
# Writes the sample foot scans (made from formulas, no person's scan) into a
# folder: Sample_Anna_L/R.Wrl with their "[VRML].Jpg" photos and
# Sample_Ben_L/R.Stl. Uses the program built in build/ (builds it when missing).
#   tools/make-sample-scans.sh <folder>
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ne 1 ]; then
  echo "usage: tools/make-sample-scans.sh <folder>" >&2
  exit 2
fi
maker=build/src/views3d/samples/solvane_make_samples
if [ ! -x "$maker" ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build --target solvane_make_samples -j "$(nproc)"
fi
"$maker" "$1"
