#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens the splash's device view under Xvfb with openbox and two simulated boards, the way a user
# does: both boards get a page, an input switched on a board is ticked on its page, an output
# ticked on the page reaches the board, and the end of the program switches the board's first
# five outputs off.
# Usage: device_view_under_openbox.sh BIN_DIR [SCREENSHOT [EDITION]]
#   SCREENSHOT: also save the device view there; EDITION: gloamery (default) or gloamery-ru.
#   Exit 77: a tool is missing and the check is skipped.
set -uo pipefail

bin=$(realpath "${1:?usage: $0 BIN_DIR [SCREENSHOT [EDITION]]}")
screenshot=${2:+$(realpath -m "$2")}
edition=${3:-gloamery}
source "$(dirname "$0")/../support/inside_xvfb.sh"
require_tools xvfb-run openbox xdotool import compare
run_inside_xvfb GLOAMERY_WM_INSIDE "$0" "$@"

start_checks openbox
export GLOAMERY_BOARDS="sim:$work/boards"
mkdir "$work/boards"

# Each board reads its commands from a pipe this script holds open, and writes what it does to
# a file.
start_board() { # PID
    mkfifo "$work/in$1"
    "$bin/gloamery-board" --pid "$1" --dir "$work/boards" <"$work/in$1" >"$work/out$1" 2>&1 &
    eval "exec {fd$1}>\"$work/in$1\""
}
board_command() { # PID COMMAND...
    local fd="fd$1"
    shift
    echo "$*" >&"${!fd}"
}
wait_for_output() { # PID TEXT TENTHS
    for ((i = 0; i < $3; i++)); do
        grep -qx "$2" "$work/out$1" && return 0
        sleep 0.1
    done
    return 1
}
start_board 3
start_board 10
for ((i = 0; i < 50; i++)); do
    [[ $(ls "$work/boards" | wc -l) -ge 2 ]] && break
    sleep 0.1
done

"$bin/$edition" >"$work/program.log" 2>&1 &
program=$!
# The splash's stand-in comes first, in the same place, and goes once the splash has painted.
[[ -n "$(wait_for_window 400x300 100)" ]] && sleep 0.3
splash=$(wait_for_window 400x300 10)
[[ -n "$splash" ]] || { fail "no splash"; exit 1; }
# The Delete key's toggle on, then a press on the loading picture before the splash is done.
xdotool windowactivate --sync "$splash" key Delete
read -r sx sy < <(origin_of "$splash")
xdotool mousemove $((sx + 300)) $((sy + 11)) click 1
view=$(wait_for_window 400x550 30)
[[ -n "$view" ]] || { fail "the device view did not open"; kill -TERM $program; exit 1; }
read -r vx vy < <(origin_of "$view")
xdotool mousemove $((vx + 390)) $((vy + 540))
sleep 0.5

# The page of product id 3 shows first. Its input 1 is switched on by the board.
before=$(shot before 400x500 "$vx" "$vy")
board_command 3 in 1 on
sleep 0.6
after=$(shot after 400x500 "$vx" "$vy")
[[ $(differ "$before" "$after") -gt 0 ]] || fail "the board's input 1 did not show on the page"
board_command 3 in 1 off
sleep 0.6
[[ $(differ "$before" "$(shot off 400x500 "$vx" "$vy")") -eq 0 ]] ||
    fail "the page did not follow the input going off"
if [[ -n "$screenshot" ]]; then
    for command in "in 1 on" "in 6 on" "in 9 on" "ad 2 128" "ad 7 255" "freq 1000"; do
        board_command 3 "$command"
    done
    sleep 0.6
    cp "$(shot view 400x550 "$vx" "$vy")" "$screenshot"
fi

# "Switch" is output 4: ticked on the page, it reaches the board.
xdotool mousemove $((vx + 19)) $((vy + 241)) click 1
wait_for_output 3 "output 4 on" 20 || fail "ticking Switch did not switch output 4 on"

# The end of the program switches it off again.
kill -TERM "$program"
wait "$program"
wait_for_output 3 "output 4 off" 20 || fail "the end of the program left output 4 on"
finish_checks "device view under openbox"
