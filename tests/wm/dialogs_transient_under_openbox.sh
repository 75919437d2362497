#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens each dialog of the main window's menu under Xvfb with openbox and asks the X server what
# a taskbar asks: every dialog must be transient for the main window (WM_TRANSIENT_FOR naming
# it), so it gets no taskbar entry of its own; the skinned ones still open beside it.
# Usage: dialogs_transient_under_openbox.sh BIN_DIR   (exit 77: a tool is missing, skipped)
set -uo pipefail

bin=$(realpath "${1:?usage: $0 BIN_DIR}")
source "$(dirname "$0")/../support/inside_xvfb.sh"
require_tools xvfb-run openbox xdotool xprop
require_atspi
run_inside_xvfb_accessible GLOAMERY_WM_INSIDE "$0" "$@"

start_checks openbox

# The first start shows the presentation; it is used up here.
for start in 1 2; do
    "$bin/gloamery" >/dev/null 2>&1 &
    program=$!
    main=$(wait_for_window 800x600 80)
    sleep 0.3
    [[ $start -eq 2 ]] && break
    kill -TERM "$program"
    wait "$program" 2>/dev/null
done
[[ -n "$main" ]] || { echo "FAIL: the main window did not show"; exit 1; }
read -r main_x main_y < <(origin_of "$main")

transient_for() { # WINDOW: the window it is transient for, as a decimal id
    local hex
    hex=$(xprop -id "$1" WM_TRANSIENT_FOR | awk '/window id/ {print $NF}')
    [[ -n "$hex" ]] && echo $((hex))
}

check_dialog() { # CAPTION SIZE LABEL BESIDE
    local id=""
    click_menu_entry 420 120 "$1" && id=$(wait_for_window "$2" 20)
    if [[ -z "$id" ]]; then
        fail "$3: did not open"
        return
    fi
    local owner
    owner=$(transient_for "$id")
    [[ "$owner" == "$main" ]] || fail "$3: transient for '${owner:-nothing}', not the main window $main"
    if [[ "$4" == beside ]]; then
        [[ "$(origin_of "$id")" == "$((main_x + 6)) $((main_y + 55))" ]] ||
            fail "$3: opened at $(origin_of "$id"), not beside the main window"
    fi
    xdotool key Escape
    sleep 0.4
}

check_dialog "Настройки Web доступа" 790x520 "web access window" beside
check_dialog "Сетевой сервер" 942x470 "network server window" own
check_dialog "Настройки программы" 790x520 "settings dialog" beside
check_dialog "Настройки призраков" 790x520 "ghost settings dialog" beside

kill -TERM "$program"
wait "$program" 2>/dev/null
finish_checks "dialogs transient under openbox"
