#!/usr/bin/env bash
# Builds and runs the loader benchmark in build-bench/, a Release tree with
# -DSOLVANE_BUILD_BENCH=ON. Installs the peer libraries it measures ours
# against; the program itself never links them. It reports each reader's
# time against a plain read of the same bytes at about 200k, 1M and 3M
# triangles, and the peak memory per triangle (a few minutes; the 3M files
# need about 2 GB of disk and memory).
#   tools/bench.sh [folder for the generated files] [repetitions] [largest triangles]
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

peers=(libassimp-dev libtinyobjloader-dev libadmesh-dev)
missing=()
for p in "${peers[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "bench: these packages are missing and only root can install them: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOLVANE_BUILD_BENCH=ON -DSOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target loader_bench -j "$(nproc)"

folder="${1:-${TMPDIR:-/tmp}/solvane-loader-bench}"
"$build/bench/loader/loader_bench" "$folder" "${2:-3}" "${3:-3000000}"
rm -rf "$folder"
