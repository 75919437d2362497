#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the English edition under Xvfb as a user would: opens the ghost settings dialog from the
# right-click menu (the entry found by its caption), switches ghost 1 on with the night regime and
# the doorman specialty, closes the dialog, presses Start and reads the start button's hint; then
# ends the program, checks the stored settings, starts it again and photographs the dialog to
# show that they were kept. Fails, saying what differs, when the stored settings are not those.
# Usage: tools/walkthrough.sh [BUILD_DIR] [OUT_DIR]   (exit 77: a tool is missing)
set -uo pipefail

script=$(realpath "$0")
cd "$(dirname "$script")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-walkthrough}")
source tests/support/inside_xvfb.sh
require_tools xvfb-run xdotool import sqlite3
require_atspi
run_inside_xvfb_accessible GLOAMERY_WALKTHROUGH_INSIDE "$script" "$build" "$out"

start_checks
mkdir -p "$out"
export GLOAMERY_SETTINGS="$out/settings.db"
rm -f "$GLOAMERY_SETTINGS"
ghost_dialog="Настройки призраков"

start_program() {
    "$build/bin/gloamery" >>"$work/program.log" 2>&1 &
    program=$!
    [[ -n "$(wait_for_window 800x600 150)" ]] || { fail "the main window did not show"; exit 1; }
    wait_for_no_window 400x300 100
    sleep 0.3
}
stop_program() {
    kill -TERM "$program"
    wait "$program" || fail "the program ended with status $? on SIGTERM"
}
open_ghost_dialog() {
    click_menu_entry 420 120 "$ghost_dialog" || { fail "no menu entry \"$ghost_dialog\""; exit 1; }
    dialog=$(wait_for_window 790x520 30)
    [[ -n "$dialog" ]] || { fail "\"$ghost_dialog\" opened no dialog"; exit 1; }
    read -r x y < <(origin_of "$dialog")
}

# A first start shows the splash and uses up the first-start presentation.
start_program
stop_program

start_program
open_ghost_dialog
xdotool mousemove $((x + 101)) $((y + 420)) click 1; sleep 0.2 # on/off switch
# Two clicks in quick succession would be a double click, which a scroller takes as one.
xdotool mousemove $((x + 296)) $((y + 236)) click 1; sleep 0.6 # regime up: around the clock
xdotool click 1; sleep 0.2                                     # and again: night
xdotool mousemove $((x + 591)) $((y + 236)) click 1; sleep 0.2 # specialty up: doorman
xdotool mousemove $((x + 677)) $((y + 330)) click 1; sleep 0.3 # sensor up
import -window root "$out/1-ghost-dialog.png"
xdotool mousemove $((x + 690)) $((y + 485)) click 1 # close
wait_for_no_window 790x520 30 || fail "the ghost dialog did not close"
xdotool mousemove 510 353 click 1; sleep 0.3 # Start
xdotool mousemove 512 355; sleep 1.5         # rest on it for the hint
import -window root "$out/2-started.png"
stop_program

# Name, then the value the clicks above leave.
expected=(
    "ON 1"
    "Regime 2"
    "Special 1"
    "Special_Dop_1 1"
)
for row in "${expected[@]}"; do
    read -r name value <<<"$row"
    stored=$(sqlite3 "$GLOAMERY_SETTINGS" "SELECT data FROM settings WHERE name = 'Ghost_1_$name'")
    [[ "$stored" == "$value" ]] || fail "Ghost_1_$name is '$stored', not $value"
done

start_program
open_ghost_dialog
xdotool mousemove 760 20; sleep 0.3
import -window root "$out/3-after-restart.png"
stop_program
ls -1 "$out"
finish_checks walkthrough
