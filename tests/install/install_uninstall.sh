#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built tree into scratch DESTDIRs with several prefixes: the udev rule and gloameryd's
# systemd units must go where udev and systemd read them, the units must start the installed
# gloameryd, and the install must say where they went. Then scripts/uninstall.sh must leave no file
# behind, keep the user's autostart entry and settings, and remove them only with --purge.
# Usage: install_uninstall.sh BUILD_DIR
set -uo pipefail

build=$(realpath "${1:?usage: $0 BUILD_DIR}")
uninstall="$(dirname "$0")/../../scripts/uninstall.sh"
source "$(dirname "$0")/scratch.sh"
scratch_keeping_manifest "$build"

# Prefix, then where the rule must land, then the folder holding the user/ and system/ units.
cases=(
    "/usr/local etc/udev/rules.d usr/local/lib/systemd"
    "/usr usr/lib/udev/rules.d usr/lib/systemd"
    "/opt/gloamery etc/udev/rules.d etc/systemd"
)
for case in "${cases[@]}"; do
    read -r prefix rules units <<<"$case"
    root="$work/root"
    rm -rf "$root"
    if ! DESTDIR="$root" cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
        cat "$work/install.log"
        fail "$prefix: cmake --install"
        continue
    fi
    rule="$root/$rules/70-gloamery-boards.rules"
    [[ -f "$rule" ]] || fail "$prefix: the rule is not in /$rules"
    found=$(cd "$root" && find . -name 70-gloamery-boards.rules | wc -l)
    [[ "$found" -eq 1 ]] || fail "$prefix: $found copies of the rule"
    grep -q "rule went to /$rules/70-gloamery-boards.rules.*udevadm control --reload" \
        "$work/install.log" || fail "$prefix: the install does not say where the rule went"
    grep -qx "/$rules/70-gloamery-boards.rules" "$manifest" || fail "$prefix: the rule is not in the manifest"
    for kind in user system; do
        unit="$units/$kind/gloameryd.service"
        [[ -f "$root/$unit" ]] || fail "$prefix: the $kind unit is not in /$units/$kind"
        found=$(cd "$root" && find . -name gloameryd.service -path "*/$kind/*" | wc -l)
        [[ "$found" -eq 1 ]] || fail "$prefix: $found copies of the $kind unit"
        grep -qx "ExecStart=$prefix/bin/gloameryd" "$root/$unit" 2>/dev/null ||
            fail "$prefix: the $kind unit does not start $prefix/bin/gloameryd"
        grep -qx "/$unit" "$manifest" || fail "$prefix: the $kind unit is not in the manifest"
    done
    grep -q "units went to /$units/user and /$units/system" "$work/install.log" ||
        fail "$prefix: the install does not say where the units went"

    config="$work/config"
    mkdir -p "$config/autostart" "$config/gloamery"
    touch "$config/autostart/gloamery.desktop" "$config/gloamery/settings.db"
    DESTDIR="$root" XDG_CONFIG_HOME="$config" bash "$uninstall" "$build" >"$work/uninstall.log" 2>&1 ||
        fail "$prefix: uninstall ended with an error: $(cat "$work/uninstall.log")"
    left=$(cd "$root" && find . ! -type d)
    [[ -z "$left" ]] || fail "$prefix: left after the uninstall: $left"
    [[ -f "$config/autostart/gloamery.desktop" && -f "$config/gloamery/settings.db" ]] ||
        fail "$prefix: the uninstall removed the user's files without --purge"
    grep -q "kept $config/gloamery " "$work/uninstall.log" ||
        fail "$prefix: the uninstall does not say where the settings are"
    grep -q "systemctl daemon-reload.*forget gloameryd's units" "$work/uninstall.log" ||
        fail "$prefix: the uninstall does not say how systemd forgets the units"
    DESTDIR="$root" XDG_CONFIG_HOME="$config" bash "$uninstall" --purge "$build" >/dev/null 2>&1
    [[ -z "$(cd "$config" && find . ! -type d)" && ! -e "$config/gloamery" ]] ||
        fail "$prefix: --purge left the user's files"
done
[[ $failures -eq 0 ]] && echo "install and uninstall: all checks passed"
exit $((failures > 0))
