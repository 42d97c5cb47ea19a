#!/usr/bin/env bash
# Fuzzes the item store for longer than the test command does.
#   scripts/fuzz.sh [store_reader_fuzz|store_round_trip_fuzz] [seconds]   (default: both, 600 s each)
# New inputs collect in build-fuzz/fuzz/<target>-corpus; a crash is saved in build-fuzz/fuzz/artifacts.
# A crash becomes a regression: copy the input into fuzz/regressions/ (which the test command replays),
# fix the cause, and add a test of it where the cause lives.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=("${1:-store_reader_fuzz}")
if [ $# -eq 0 ]; then
    targets=(store_reader_fuzz store_round_trip_fuzz)
fi
seconds="${2:-600}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in "${targets[@]}"; do
    work="build-fuzz/fuzz/${target}-corpus"
    mkdir -p "$work" build-fuzz/fuzz/artifacts
    echo "== ${target} for ${seconds} s"
    "build-fuzz/fuzz/${target}" -dict=fuzz/store.dict -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build-fuzz/fuzz/artifacts/${target}-" -max_total_time="$seconds" -print_final_stats=1 \
        "$work" fuzz/corpus fuzz/regressions </dev/null
done
