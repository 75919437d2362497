#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the settings and ghost dialogs under Xvfb with openbox, the way a user does, in several
# fresh starts: each dialog must open beside the main window, light its close button under the
# pointer (not where the window was first put), step the duration knob towards the click, stay
# put after a quick click on its background, and still follow a real drag.
# Usage: dialogs_under_openbox.sh BIN_DIR   (exit 77: a tool is missing, the check is skipped)
set -uo pipefail

bin=$(realpath "${1:?usage: $0 BIN_DIR}")
source "$(dirname "$0")/../support/inside_xvfb.sh"
require_tools xvfb-run openbox xdotool import compare sqlite3
require_atspi
run_inside_xvfb_accessible GLOAMERY_WM_INSIDE "$0" "$@"

start_checks openbox

# The main window: 800 by 600, centred at top 10 on this 1024 wide screen.
main_x=112
main_y=10

start_program() { # BINARY
    "$bin/$1" >/dev/null 2>&1 &
    program=$!
    wait_for_window 800x600 80 >/dev/null
    # The splash has gone once the main window holds the focus.
    sleep 0.3
}
stop_program() {
    kill -TERM "$program" 2>/dev/null
    wait "$program" 2>/dev/null
}
open_dialog() { # CAPTION
    click_menu_entry 420 120 "$1" >&2 && wait_for_window 790x520 20
}

# The close button lights under the pointer, and not where a stale position would put it.
check_close_button() { # WINDOW LABEL
    local x y
    read -r x y < <(origin_of "$1")
    local bx=$((x + 608)) by=$((y + 460))
    xdotool mousemove 5 690; sleep 0.2
    local rest lit stale
    rest=$(shot rest 164x50 "$bx" "$by")
    xdotool mousemove $((bx + 82)) $((by + 25)); sleep 0.2
    lit=$(shot lit 164x50 "$bx" "$by")
    xdotool mousemove $((bx + 82 - x)) $((by + 25 - y)); sleep 0.2
    stale=$(shot stale 164x50 "$bx" "$by")
    [[ $(differ "$rest" "$lit") -gt 100 ]] || fail "$2: the close button does not light under the pointer"
    [[ $(differ "$rest" "$stale") -eq 0 ]] || fail "$2: the close button lights $x,$y away from the pointer"
}

# A press and release at once on the background, then a move: the window must not follow.
check_quick_click() { # WINDOW LABEL
    local x y x2 y2
    read -r x y < <(origin_of "$1")
    xdotool mousemove $((x + 300)) $((y + 490)) mousedown 1 mouseup 1
    sleep 0.2
    xdotool mousemove $((x + 420)) $((y + 400)); sleep 0.3
    xdotool mousemove $((x + 200)) $((y + 300)); sleep 0.3
    read -r x2 y2 < <(origin_of "$1")
    [[ "$x2,$y2" == "$x,$y" ]] || fail "$2: a quick click left the window on the pointer ($x,$y -> $x2,$y2)"
    # Lets go of a glued window, so the next checks can run; on the background, where the click
    # changes no option.
    xdotool mousemove $((x + 100)) $((y + 490)) click 1; sleep 0.5
}

# A real drag moves the window by the pointer's way.
check_drag() { # WINDOW LABEL
    local x y x2 y2
    read -r x y < <(origin_of "$1")
    xdotool mousemove $((x + 300)) $((y + 490)) mousedown 1
    for step in 1 2 3 4 5; do
        xdotool mousemove $((x + 300 - 8 * step)) $((y + 490 + 4 * step)); sleep 0.05
    done
    xdotool mouseup 1; sleep 0.3
    read -r x2 y2 < <(origin_of "$1")
    [[ $((x - x2)) -ge 30 && $((y2 - y)) -ge 12 ]] ||
        fail "$2: a drag did not move the window ($x,$y -> $x2,$y2)"
}

# "Неогр.", then left of the knob twice and right of it once: 3, 2, 1, 2. Each click is within
# the window's distance from the screen's corner, so arithmetic from a stale origin steps wrongly.
# The clicks lie far enough apart never to make a double click; the pause lets the dialog read
# the pointer before it moves on.
step_knob() { # WINDOW
    local x y
    read -r x y < <(origin_of "$1")
    local group=$((x + 28)) top=$((y + 64))
    xdotool mousemove $((group + 312)) $((top + 40)) click 1; sleep 0.2
    xdotool mousemove $((group + 315 - 30)) $((top + 66)) click 1; sleep 0.2
    xdotool mousemove $((group + 217 - 30)) $((top + 66)) click 1; sleep 0.2
    xdotool mousemove $((group + 120 + 23 + 30)) $((top + 66)) click 1; sleep 0.2
}

stored_duration() {
    sqlite3 "$GLOAMERY_SETTINGS" "SELECT data FROM settings WHERE name = 'Attraction_Time'"
}

# The first start of all shows the presentation; it is used up here.
start_program gloamery
stop_program

for run in 1 2 3; do
    binary=gloamery
    [[ $run -eq 2 ]] && binary=gloamery-ru
    start_program "$binary"
    label="start $run ($binary), settings dialog"
    dialog=$(open_dialog "Настройки программы")
    if [[ -z "$dialog" ]]; then
        fail "$label: did not open"
        stop_program
        continue
    fi
    [[ "$(origin_of "$dialog")" == "$((main_x + 6)) $((main_y + 55))" ]] ||
        fail "$label: opened at $(origin_of "$dialog"), not beside the main window"
    check_close_button "$dialog" "$label"
    step_knob "$dialog"
    if [[ $run -eq 1 ]]; then
        check_quick_click "$dialog" "$label"
        check_drag "$dialog" "$label"
        check_close_button "$dialog" "$label, after the drag"
    fi
    if [[ $run -eq 3 ]]; then
        xdotool key Escape; sleep 0.3
        ghost=$(open_dialog "Настройки призраков")
        if [[ -z "$ghost" ]]; then
            fail "ghost dialog: did not open"
        else
            check_close_button "$ghost" "ghost dialog"
            check_quick_click "$ghost" "ghost dialog"
        fi
    fi
    stop_program
    duration=$(stored_duration)
    [[ "$duration" == 2 ]] || fail "$label: the knob clicks left it at $duration, not 2"
done

finish_checks "dialogs under openbox"
