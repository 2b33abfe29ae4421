#!/usr/bin/env bash
# Fuzzes every scan reader (STL, OBJ, VRML, Lcf) with libFuzzer in its own
# tree, build-fuzz/, built with clang and AddressSanitizer/UBSan.
#   tools/fuzz.sh SECONDS     each target runs SECONDS, all four at once
# The seed corpus comes from the test generators; what a run finds is kept
# in build-fuzz/corpus/<reader>/ for the next run, crashes and hangs in
# build-fuzz/findings/<reader>/, each run's log in build-fuzz/logs/.
# Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:?usage: tools/fuzz.sh SECONDS}"
readers=(stl obj vrml lcf)

packages=(clang libclang-rt-14-dev cmake ninja-build)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "fuzz: these packages are missing and only root can install them: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=build-fuzz
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

seeds="$build/seeds"
rm -rf "$seeds"
ASAN_OPTIONS=detect_leaks=0 "$build/fuzz_seeds" "$seeds"
mkdir -p "$build/logs"

pids=()
for r in "${readers[@]}"; do
  mkdir -p "$build/corpus/$r" "$build/findings/$r"
  # -timeout: one input taking longer is a hang; -rss_limit_mb: a file must
  # never make a reader take gigabytes.
  "$build/fuzz_$r" "$build/corpus/$r" "$seeds/$r" \
      -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/findings/$r/" \
      >"$build/logs/$r.log" 2>&1 &
  pids+=($!)
done

status=0
for i in "${!readers[@]}"; do
  if ! wait "${pids[$i]}"; then
    status=1
  fi
done

printf '| reader | minutes | executions | execs/s | corpus | findings |\n|---|---:|---:|---:|---:|---:|\n'
for r in "${readers[@]}"; do
  log="$build/logs/$r.log"
  runs=$(grep -o 'stat::number_of_executed_units:[[:space:]]*[0-9]*' "$log" | awk '{print $2}' | tail -1)
  rate=$(grep -o 'stat::average_exec_per_sec:[[:space:]]*[0-9]*' "$log" | awk '{print $2}' | tail -1)
  corpus=$(find "$build/corpus/$r" -type f | wc -l)
  found=$(find "$build/findings/$r" -type f | wc -l)
  ran=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | awk '{print $5}' | tail -1)
  printf '| %s | %s | %s | %s | %s | %s |\n' "$r" "$(awk "BEGIN{printf \"%.1f\", ${ran:-0}/60}")" \
      "${runs:-?}" "${rate:-?}" "$corpus" "$found"
  if [ "$found" -gt 0 ]; then
    status=1
  fi
done
exit "$status"
