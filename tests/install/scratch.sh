# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the install checks. scratch_keeping_manifest BUILD_DIR makes $work, removed at the
# end, and puts the build folder's install_manifest.txt back then: it names the user's own install,
# which scripts/uninstall.sh removes, not the checks' scratch one.
scratch_keeping_manifest() {
    work=$(mktemp -d)
    manifest="$1/install_manifest.txt"
    [[ -f "$manifest" ]] && cp "$manifest" "$work/manifest.saved"
    trap 'kill $(jobs -p) 2>/dev/null; [[ -f "$work/manifest.saved" ]] && cp "$work/manifest.saved" "$manifest"; rm -rf "$work"' EXIT
}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
