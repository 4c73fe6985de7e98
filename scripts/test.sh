#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless under Xvfb
# with Mesa's software renderer. SANITIZE=1 selects the ASan+UBSan build.
# The file readers are also fuzzed briefly first (FUZZ_SECONDS each, 10 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=$(scripts/build.sh | tail -n 1)

export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
# Nobody can click a message box away under Xvfb.
export FERNHOLLOW_NO_MESSAGE_BOXES=1
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
if [ "${SANITIZE:-0}" = 1 ]; then
    # llvmpipe and SDL leak small driver allocations at exit; that is theirs.
    export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
# A short fuzzing pass over the file readers; FUZZ_SECONDS=0 skips it.
if [ "${FUZZ_SECONDS:-10}" != 0 ]; then
    if ! FUZZ_SECONDS="${FUZZ_SECONDS:-10}" scripts/fuzz.sh >fuzz.log 2>&1; then
        tail -n 60 fuzz.log
        echo "Fuzzing found a fault: see fuzz.log and build-fuzz/fuzz/"
        exit 1
    fi
    echo "Fuzzing: $(grep -c 'Passed' fuzz.log) readers ran clean for ${FUZZ_SECONDS:-10} s each"
fi

cd "$dir"
# -noreset: by default the server resets whenever its last client leaves, and
# a test process connecting during the reset is refused (SDL then falls back
# to its offscreen driver and the test's window "cannot be made"). Test
# processes come and go all the time, so that happened now and then.
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
    ctest --output-on-failure -j"$(nproc)" "$@"
