#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan+UBSan) into build-fuzz/ and runs
# each for a bounded time: FUZZ_SECONDS each (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"

if [ ! -f build-fuzz/CMakeCache.txt ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DFERNHOLLOW_FUZZ=ON -DFERNHOLLOW_SANITIZE=ON \
        -DFERNHOLLOW_TESTS=OFF -DFERNHOLLOW_BENCH=OFF >/dev/null
fi
cmake -S . -B build-fuzz -DFERNHOLLOW_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target bmp_fuzz vr_fuzz wav_fuzz -- --no-print-directory >/dev/null
cd build-fuzz
ctest -L fuzz --output-on-failure
