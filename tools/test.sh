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
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSOLVANE_SANITIZE=ON >/dev/null
else
  build=build
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi

# Linking many Qt test programs at once needs memory, not only cores.
cmake --build "$build" -j "$jobs"

ctest_args=(--test-dir "$build" --output-on-failure -j "$jobs" --no-tests=error --timeout 300)
if [ -n "${SOLVANE_TEST_EXCLUDE:-}" ]; then
  ctest_args+=(-E "$SOLVANE_TEST_EXCLUDE")
fi

xvfb-run -a -s "-screen 0 1280x1024x24" ctest "${ctest_args[@]}"
