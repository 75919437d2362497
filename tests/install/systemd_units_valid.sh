#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# gloameryd's units, made as an install makes them but naming the built program, pass systemd's
# own check: unknown keys, bad values and a program that is not there all fail it. The system
# unit must also keep the devices the program plays and listens through: the sound card and the
# boards, whose group the udev rule names. Skipped (exit 77) without systemd-analyze.
# Usage: systemd_units_valid.sh BUILD_DIR
set -uo pipefail

build=$(realpath "${1:?usage: $0 BUILD_DIR}")
top="$(dirname "$0")/../.."
command -v systemd-analyze >/dev/null || {
    echo "SKIPPED: systemd-analyze is missing (package systemd)"
    exit 77
}
source "$(dirname "$0")/scratch.sh"
scratch_keeping_manifest "$build"

if ! cmake -DGLOAMERY_SYSTEMD_UNITS="$top/res/systemd" -DGLOAMERY_SYSTEMD_STAGE="$work/stage" \
    -DGLOAMERY_BINDIR="$build/bin" -DGLOAMERY_SYSTEMD_DIR="$work/units" \
    -DCMAKE_INSTALL_PREFIX=/usr -P "$top/cmake/GloameryInstallSystemdUnits.cmake" >"$work/make.log" 2>&1; then
    cat "$work/make.log"
    fail "the units could not be made"
fi

# The user manager's check wants a runtime folder of its own.
mkdir -m 700 "$work/runtime"
# Kind, then the manager's option.
cases=(
    "user --user"
    "system --system"
)
for case in "${cases[@]}"; do
    read -r kind manager <<<"$case"
    unit="$work/units/$kind/gloameryd.service"
    # It warns about what it ignores without failing: any output is a finding.
    report=$(XDG_RUNTIME_DIR="$work/runtime" systemd-analyze "$manager" --man=no verify "$unit" 2>&1)
    if [[ $? -ne 0 || -n "$report" ]]; then
        fail "$kind unit: $report"
    else
        echo "ok: $kind unit"
    fi
done

system="$work/units/system/gloameryd.service"
narrowing=$(grep -E '^(PrivateDevices|DevicePolicy|DeviceAllow|ProtectClock)=' "$system")
[[ -z "$narrowing" ]] || fail "the system unit narrows the devices: $narrowing"
board_group=$(grep -oP 'GROUP="\K[^"]+' "$top/res/udev/70-gloamery-boards.rules")
[[ -n "$board_group" ]] || fail "the udev rule gives the boards to no group the service could join"
groups=" $(sed -n 's/^SupplementaryGroups=//p' "$system") "
for group in audio $board_group; do
    [[ "$groups" == *" $group "* ]] || fail "the system unit is not in the group $group"
done
exit $((failures > 0))
