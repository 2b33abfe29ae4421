#!/usr/bin/env bash
# Start-up time and peak memory of the program, from launch to "Ready", on a
# working folder whose data folder holds 2,000 scan files.
#   bench/startup/run.sh [path/to/solvane]
# Targets: median under 300 ms, peak memory under 80 MB.
set -euo pipefail
cd "$(dirname "$0")/../.."

program="${1:-build/src/app/solvane}"
runs="${RUNS:-20}"

if [ ! -x /usr/bin/time ]; then
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends time >/dev/null
  else
    echo "bench: /usr/bin/time is missing (Debian package 'time')" >&2
    exit 1
  fi
fi
if [ ! -x "$program" ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build --target solvane
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
home="$work/3DEriruvu"
data="$home/Data/Bench Clinic"
mkdir -p "$data" "$home/Jobs" "$home/Archive"
printf 'BENCH\r\nA0000\r\n0001\r\nBench Clinic\r\nSecond Clinic\r\n' > "$home/Solvane.Cfg"
mkdir -p "$home/Data/Second Clinic"
# 2,000 scan files (left and right of 1,000 clients, three kinds), plus their photos.
for i in $(seq 1 1000); do
  case $((i % 3)) in 0) ext=Wrl ;; 1) ext=Stl ;; 2) ext=Obj ;; esac
  : > "$data/Client${i}_Test_L.$ext"
  : > "$data/Client${i}_Test_R.$ext"
  : > "$data/Client${i}_Test_L0.Jpg"
done

export SOLVANE_HOME="$home" SOLVANE_EXIT_AT_READY=1 QT_QPA_PLATFORM=offscreen

# One untimed run warms the disk cache and the font cache.
"$program" >/dev/null 2>&1

times=()
peaks=()
for _ in $(seq 1 "$runs"); do
  report="$work/time.txt"
  # time -v reports the wall clock in hundredths only; the clock around it gives milliseconds.
  # A run that does not reach "Ready" exits non-zero and stops the benchmark.
  start=$(date +%s%N)
  /usr/bin/time -v -o "$report" "$program" >/dev/null 2>&1
  finish=$(date +%s%N)
  ms=$(( (finish - start + 500000) / 1000000 ))
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$report")
  times+=("$ms")
  peaks+=("$kb")
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
max() { printf '%s\n' "$@" | sort -n | tail -1; }

median_ms=$(median "${times[@]}")
median_kb=$(median "${peaks[@]}")
max_kb=$(max "${peaks[@]}")
echo "start-up to Ready, $runs runs, 2000 scan files:"
echo "  median time        ${median_ms} ms   (target < 300 ms)"
echo "  median peak memory $((median_kb / 1024)) MB   (largest $((max_kb / 1024)) MB, target < 80 MB)"
