#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of the management page as a phone shows it (390 x 844), in both editions, taken in
# headless Chromium from the real program.
# Usage: tools/phone-screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshots}
mkdir -p "$out"
for edition in en:gloamery ru:gloamery-ru; do
    /usr/bin/python3 tests/browser/web_page_in_chromium.py --bin "$build/bin" \
        --seed "$build/bin/web_page_seed" --edition "${edition#*:}" \
        --screenshot "$out/${edition%%:*}-phone.png"
done
