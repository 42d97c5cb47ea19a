#!/usr/bin/env bash
# Fails, naming the places, when a C++ source differs from the layout that .clang-format describes.
# Usage: scripts/check-format.sh [CLANG_FORMAT]
set -euo pipefail
clang_format=${1:-clang-format}
cd "$(dirname "$0")/.."
find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 "$clang_format" --dry-run --Werror
