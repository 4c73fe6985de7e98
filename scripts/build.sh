#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with SANITIZE=1).
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
flags=()
if [ "${SANITIZE:-0}" = 1 ]; then
    dir=build-asan
    flags+=(-DFERNHOLLOW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
[ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)" -- --no-print-directory >/dev/null || cmake --build "$dir" -j1
echo "$dir"
