#!/usr/bin/env bash
# Runs every benchmark built in the given build folder and prints one table, with the machine it ran on.
# The table is in Markdown, ready for bench/README.md; Google Benchmark's own output goes to the build folder.
set -euo pipefail

build=${1:?usage: bench/run_benchmarks.sh BUILD_FOLDER [WINDOWS_BUILD_FOLDER]}
windows=${2:-}
bin="$build/bench"

echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores," \
    "$(awk '/MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo), $(. /etc/os-release && echo "$PRETTY_NAME")"
echo "Date: $(date -u '+%Y-%m-%d %H:%M UTC'); load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| Figure | Hopwick: median (min–max) | Floor | Floor: median (min–max) | Ratio | Goal | Met |"
echo "|---|---|---|---|---|---|---|"
"$bin/hopwick_launch_bench"
if [ -x "$bin/hopwick_window_bench" ]; then
    "$bin/hopwick_window_bench"
fi
if [ -n "$windows" ]; then
    "$bin/hopwick_windows_bench" "$windows"
fi
"$bin/hopwick_store_bench" 2>"$bin/store_bench_console.txt"
echo
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
