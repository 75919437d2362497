#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of Gloamery (cpack -G DEB): both editions, gsn, gloamery-board, the
# run-time files, menu entries, icons, metadata, manual pages and the udev rule, with the
# dependencies dpkg-shlibdeps reads from the binaries. Then lintian checks it, where installed;
# its errors fail the script.
# Usage: scripts/package.sh [BUILD_DIR]   (default build-package; an existing build folder is
# used as it is configured)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${1:-build-package}
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGLOAMERY_BUILD_TESTS=OFF -DGLOAMERY_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build"
(cd "$build" && cpack -G DEB)
package=$(ls -t "$build"/gloamery_*.deb | head -n 1)
echo "package: $package"
dpkg-deb --field "$package" Package Version Architecture Depends

if command -v lintian >/dev/null; then
    # Errors fail; warnings are shown. Running as root is normal here (containers, CI).
    lintian --allow-root --fail-on error "$package"
else
    echo "lintian is missing: the package is not checked"
fi
