#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the English edition of Gloamery.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
exec build/bin/gloamery "$@"
