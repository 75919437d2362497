#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test twice: with AddressSanitizer and
# UndefinedBehaviorSanitizer, and in the normal build (whose ctest summary ends the output).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
jobs=$(nproc)

run_suite() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DGLOAMERY_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== Sanitizer build (ASan + UBSan) =="
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DGLOAMERY_SANITIZE=ON -DGLOAMERY_BUILD_BENCH=OFF
echo "== Normal build =="
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLOAMERY_BUILD_BENCH=OFF
