#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Removes what `cmake --install` put in place, as listed in the build folder's
# install_manifest.txt (the udev rule and gloameryd's units included), and the program's own
# folders it leaves empty.
# The user's autostart entry and settings stay unless --purge is given: they are only named.
# DESTDIR, as given to the install, is honoured.
# Usage: scripts/uninstall.sh [--purge] [BUILD_DIR]   (default build; run it as the user that
# installed, e.g. with sudo for /usr/local, and --purge as the user whose settings go)
set -euo pipefail

purge=no
if [[ "${1:-}" == --purge ]]; then
    purge=yes
    shift
fi
build=${1:-build}
manifest="$build/install_manifest.txt"
if [[ ! -f "$manifest" ]]; then
    echo "uninstall: no $manifest; run it with the build folder that was installed from" >&2
    exit 1
fi

files=()
folders=()
# The manifest's last line has no newline.
while IFS= read -r file || [[ -n "$file" ]]; do
    [[ -n "$file" ]] || continue
    file="${DESTDIR:-}$file"
    [[ -e "$file" || -L "$file" ]] && files+=("$file")
    folders+=("${file%/*}")
done <"$manifest"
removed=${#files[@]}
[[ $removed -eq 0 ]] || rm -f -- "${files[@]}"
# Folders named after the program go once empty, deepest first; shared ones (bin, man6) stay.
printf '%s\n' "${folders[@]}" | sort -ru | while IFS= read -r folder; do
    while [[ "$folder" == *gloamery* ]] && rmdir -- "$folder" 2>/dev/null; do
        folder=${folder%/*}
    done
done
echo "uninstall: removed $removed file(s) listed in $manifest"
if grep -q '/udev/rules.d/' "$manifest"; then
    echo "uninstall: 'sudo udevadm control --reload' makes udev forget the boards' rule"
fi
if grep -q '/systemd/.*/gloameryd\.service$' "$manifest"; then
    echo "uninstall: 'sudo systemctl daemon-reload' and 'systemctl --user daemon-reload' make" \
        "systemd forget gloameryd's units; 'systemctl [--user] disable gloameryd' first if enabled"
fi
# The computer's service keeps its settings where systemd made its state folder; only root reads it.
if [[ -e /var/lib/gloamery || -e /var/lib/private/gloamery ]]; then
    echo "uninstall: kept /var/lib/private/gloamery, the settings of gloameryd's system service"
fi

config=${XDG_CONFIG_HOME:-$HOME/.config}
[[ "$config" == /* ]] || config=$HOME/.config
user_files=()
for file in "$config"/autostart/gloamery*.desktop "$config/gloamery"; do
    [[ -e "$file" ]] && user_files+=("$file")
done
if [[ ${#user_files[@]} -eq 0 ]]; then
    echo "uninstall: no autostart entry or settings in $config"
elif [[ "$purge" == yes ]]; then
    rm -rf -- "${user_files[@]}"
    printf 'uninstall: removed %s\n' "${user_files[@]}"
else
    printf 'uninstall: kept %s (--purge removes it)\n' "${user_files[@]}"
fi
