#!/usr/bin/env bash
# Fuzzes the item store and the pictures for longer than the test command does.
#   scripts/fuzz.sh [store_reader_fuzz|store_round_trip_fuzz|picture_fuzz] [seconds]   (default: all, 600 s each)
# New inputs collect in build-fuzz/fuzz/<target>-corpus; a crash is saved in build-fuzz/fuzz/artifacts.
# A crash becomes a regression: copy the input into fuzz/regressions/ (a store) or tests/data/pictures/ (a
# picture), which the test command replays, fix the cause, and add a test of it where the cause lives.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=("${1:-store_reader_fuzz}")
if [ $# -eq 0 ]; then
    targets=(store_reader_fuzz store_round_trip_fuzz picture_fuzz)
fi
seconds="${2:-600}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in "${targets[@]}"; do
    work="build-fuzz/fuzz/${target}-corpus"
    mkdir -p "$work" build-fuzz/fuzz/artifacts
    if [ "$target" = picture_fuzz ]; then
        inputs=(-dict=fuzz/picture.dict "$work" tests/data/pictures)
    else
        inputs=(-dict=fuzz/store.dict "$work" fuzz/corpus fuzz/regressions)
    fi
    echo "== ${target} for ${seconds} s"
    "build-fuzz/fuzz/${target}" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="build-fuzz/fuzz/artifacts/${target}-" \
        -max_total_time="$seconds" -print_final_stats=1 "${inputs[@]}" </dev/null
done
