#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The menu entries and the AppStream metadata pass the desktop's own validators. Each check runs
# where its tool is installed; without either the test is skipped (exit 77).
# Usage: desktop_files_valid.sh DESKTOP_DIR
set -uo pipefail

dir=${1:?usage: $0 DESKTOP_DIR}
ran=0
failures=0

if command -v desktop-file-validate >/dev/null; then
    for entry in "$dir"/*.desktop; do
        # It prints hints as well as errors: any output is a finding.
        report=$(desktop-file-validate "$entry" 2>&1)
        if [[ $? -ne 0 || -n "$report" ]]; then
            echo "FAIL: $(basename "$entry"): $report"
            failures=$((failures + 1))
        else
            echo "ok: $(basename "$entry")"
        fi
        ran=$((ran + 1))
    done
else
    echo "desktop-file-validate is missing (package desktop-file-utils): menu entries not checked"
fi

if command -v appstreamcli >/dev/null; then
    for metainfo in "$dir"/*.metainfo.xml; do
        if ! appstreamcli validate --no-net --pedantic "$metainfo"; then
            echo "FAIL: $(basename "$metainfo")"
            failures=$((failures + 1))
        fi
        ran=$((ran + 1))
    done
else
    echo "appstreamcli is missing (package appstream): metadata not checked"
fi

if [[ $ran -eq 0 ]]; then
    echo "SKIPPED: neither validator is installed"
    exit 77
fi
exit $((failures > 0))
