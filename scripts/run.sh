#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up what is missing, builds, and starts the English edition of Gloamery.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# Warnings stay warnings here even when the tests left GLOAMERY_WERROR=ON in build/.
# Only the program and its tools: the tests and benchmarks are test.sh's.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLOAMERY_WERROR=OFF \
    -DGLOAMERY_BUILD_TESTS=OFF -DGLOAMERY_BUILD_BENCH=OFF >/dev/null
cmake --build build
exec build/bin/gloamery "$@"
