#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a tracked C++ file differs from what clang-format makes of it, naming every such file
# so one run shows all there is to fix (`clang-format -i FILE...`).
set -euo pipefail
cd "$(dirname "$0")/.."

# One clang-format over all files is far quicker than one per file; its complaints start with
# "FILE:LINE:COL: error:", which gives the names back.
complaints=$(git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run -Werror 2>&1 || true)
mapfile -t unformatted < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' <<<"$complaints" | sort -u)

if [[ ${#unformatted[@]} -gt 0 ]]; then
    echo "Not clang-format clean (${#unformatted[@]}), fix with clang-format -i:"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
if [[ -n "$complaints" ]]; then
    echo "clang-format failed:"
    echo "$complaints"
    exit 1
fi
echo "clang-format: every tracked .cpp and .h is clean"
