#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   tools/test.sh             the normal build in build/
#   tools/test.sh --sanitize  a second tree, build-sanitize/, with ASan and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."

mode=normal
if [ "${1:-}" = "--sanitize" ]; then mode=sanitize; fi

bash tools/install-deps.sh

jobs=$(nproc)
if [ "$mode" = sanitize ]; then
  build=build-sanitize
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSOLVANE_SANITIZE=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
else
  build=build
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
fi

# Every core builds: a warning fails the build, as it fails CI.
cmake --build "$build" -j "$jobs"

ctest_args=(--test-dir "$build" --output-on-failure -j "$jobs" --no-tests=error --timeout 300)
if [ -n "${SOLVANE_TEST_EXCLUDE:-}" ]; then
  ctest_args+=(-E "$SOLVANE_TEST_EXCLUDE")
fi

xvfb-run -a -s "-screen 0 1280x1024x24" ctest "${ctest_args[@]}"
