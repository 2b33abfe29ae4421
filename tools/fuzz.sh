#!/usr/bin/env bash
# Fuzzes every reader of outside bytes with libFuzzer in its own tree,
# build-fuzz/, built with clang and AddressSanitizer/UBSan: the scans (STL,
# OBJ, VRML, Lcf), drawings (.Vec), soft and rigid script records, option,
# help-link and size tables, settings files and name lists, scanner settings
# and drop files, texture preparation and the job archive import
# (fuzz/README.md).
#   tools/fuzz.sh SECONDS     each target runs SECONDS, all at once
# The seed corpus comes from the test generators, the program's writers
# (fuzz_seeds), fuzz/seeds/ and the demo's and tests' own files; what a run
# finds is kept in build-fuzz/corpus/<reader>/ for the next run, crashes and
# hangs in build-fuzz/findings/<reader>/, each run's log in build-fuzz/logs/.
# Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:?usage: tools/fuzz.sh SECONDS}"
readers=(stl obj vrml lcf vec soft_record rigid_record tables config scanner texprepare archive)
# Hand-made files the tests and the demo read, as further seeds.
declare -A extra_seeds=(
  [tables]="tools/demo-home"
  [texprepare]="tests/scan_intake/fixtures"
  [vrml]="tests/scan_intake/fixtures"
)

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
mkdir -p "$seeds"
ASAN_OPTIONS=detect_leaks=0 "$build/fuzz_seeds" "$seeds"
mkdir -p "$build/logs"

pids=()
for r in "${readers[@]}"; do
  mkdir -p "$build/corpus/$r" "$build/findings/$r"
  # -timeout: one input taking longer is a hang; -rss_limit_mb: a file must
  # never make a reader take gigabytes.
  mkdir -p "$seeds/$r"
  corpora=("$build/corpus/$r" "$seeds/$r")
  [ -d "fuzz/seeds/$r" ] && corpora+=("fuzz/seeds/$r")
  [ -n "${extra_seeds[$r]:-}" ] && corpora+=("${extra_seeds[$r]}")
  "$build/fuzz_$r" "${corpora[@]}" \
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
  # What a target leaves in the temporary folders: the working folder of
  # one that stopped on a finding, the STL target's scratch file.
  rm -rf /dev/shm/solvane-fuzz-"${pids[$i]}"-* "${TMPDIR:-/tmp}"/solvane-fuzz-"${pids[$i]}"-* \
      "${TMPDIR:-/tmp}"/solvane-fuzz-stl-"${pids[$i]}".stl
done

# A target that stopped (a finding, or it could not start) has no "Done"
# line; its row shows what its log holds.
stat_of() { grep -o "$1" "$2" | awk "{print \$$3}" | tail -1 || true; }
printf '| reader | minutes | executions | execs/s | corpus | findings |\n|---|---:|---:|---:|---:|---:|\n'
for r in "${readers[@]}"; do
  log="$build/logs/$r.log"
  runs=$(stat_of 'stat::number_of_executed_units:[[:space:]]*[0-9]*' "$log" 2)
  rate=$(stat_of 'stat::average_exec_per_sec:[[:space:]]*[0-9]*' "$log" 2)
  corpus=$(find "$build/corpus/$r" -type f | wc -l)
  found=$(find "$build/findings/$r" -type f | wc -l)
  ran=$(stat_of 'Done [0-9]* runs in [0-9]* second' "$log" 5)
  printf '| %s | %s | %s | %s | %s | %s |\n' "$r" "$(awk "BEGIN{printf \"%.1f\", ${ran:-0}/60}")" \
      "${runs:-?}" "${rate:-?}" "$corpus" "$found"
  if [ "$found" -gt 0 ]; then
    status=1
  fi
done
exit "$status"
