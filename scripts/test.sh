#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up what is missing, checks the formatting, then builds and runs every test with
# AddressSanitizer and UndefinedBehaviorSanitizer; runs the fuzz targets briefly over their seeds;
# and builds the program as users get it, with the benchmarks, each run once as a smoke test. The
# time each step took comes last and, with ccache, how many compilations of each build it served.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
jobs=$(nproc)
timings=()

# step NAME COMMAND...: runs one step and keeps how long it took for the closing summary.
step() {
    local name=$1; shift
    local start=$SECONDS
    echo "== $name =="
    "$@"
    timings+=("$(printf '%5d s  %s' $((SECONDS - start)) "$name")")
}

# ccache notes each compilation of one build in its folder, from this run only, for the summary.
cache_log() { # DIR
    rm -f "$1/ccache-stats.log"
    echo "$PWD/$1/ccache-stats.log"
}

run_suite() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DGLOAMERY_WERROR=ON "$@" >/dev/null
    CCACHE_STATSLOG=$(cache_log "$dir") cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

# Only the fuzz targets and what they link, with clang; each runs a few seconds (fuzz/CMakeLists.txt).
run_fuzzers() {
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGLOAMERY_BUILD_FUZZ=ON -DGLOAMERY_BUILD_TESTS=OFF -DGLOAMERY_BUILD_BENCH=OFF \
        -DGLOAMERY_WERROR=ON >/dev/null
    CCACHE_STATSLOG=$(cache_log build-fuzz) \
        cmake --build build-fuzz -j "$jobs" --target gloamery_fuzzers
    ctest --test-dir build-fuzz/fuzz --output-on-failure -j "$jobs"
}

step "Formatting" bash scripts/check-format.sh
step "Sanitizer build (ASan + UBSan)" \
    run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DGLOAMERY_SANITIZE=ON -DGLOAMERY_BUILD_BENCH=OFF
step "Fuzz targets (clang, libFuzzer)" run_fuzzers
# The unit tests ran above, in the sanitizer build; built again optimised they would double the work.
# Without debug information (Release), which took a fifth of this build's compile time.
step "Normal build, with the benchmarks" \
    run_suite build -DCMAKE_BUILD_TYPE=Release -DGLOAMERY_BUILD_BENCH=ON \
    -DGLOAMERY_BUILD_TESTS=OFF

echo "== Time per step =="
printf '%s\n' "${timings[@]}"
if command -v ccache >/dev/null; then
    line="ccache, compilations served from the cache:"
    separator=""
    for dir in build-asan build-fuzz build; do
        log=$dir/ccache-stats.log
        [[ -f "$log" ]] || log=/dev/null
        hits=$(grep -cxE '(direct|preprocessed)_cache_hit' "$log" || true)
        line+="$separator $dir $hits of $(grep -c '^# ' "$log" || true)"
        separator=","
    done
    echo "$line"
fi
