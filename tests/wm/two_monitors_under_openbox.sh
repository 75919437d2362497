#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two monitors on one X screen under Xvfb with openbox, the primary one on the right: the splash
# and the main window must be centred on the primary monitor, not on the one that holds the
# desktop's origin, and a dialog must open beside the main window there.
# Usage: two_monitors_under_openbox.sh BIN_DIR   (exit 77: a tool is missing, the check is skipped)
set -uo pipefail

bin=$(realpath "${1:?usage: $0 BIN_DIR}")
source "$(dirname "$0")/../support/inside_xvfb.sh"
require_tools xvfb-run openbox xdotool xrandr
if [[ -z "${GLOAMERY_WM_INSIDE:-}" ]]; then
    export GLOAMERY_WM_INSIDE=1
    exec xvfb-run -a -s '-screen 0 2304x1024x24 -noreset' "$0" "$@"
fi

# 1280 wide on the left, the primary 1024 by 768 right of it.
xrandr --setmonitor '*RIGHT' 1024/270x768/203+1280+0 screen >/dev/null
xrandr --setmonitor LEFT 1280/338x1024/270+0+0 none >/dev/null
start_checks openbox

"$bin/gloamery" >/dev/null 2>&1 &
program=$!
splash=$(origin_of_window_sized 400x300 80)
[[ "$splash" == "1592 100" ]] || fail "the splash stands at '$splash', not at 1592 100"
main=$(wait_for_window 800x600 100)
[[ -n "$main" && "$(origin_of "$main")" == "1392 10" ]] ||
    fail "the main window stands at '$( [[ -n "$main" ]] && origin_of "$main")', not at 1392 10"
sleep 0.3
# The presentation of the first start is stopped by a click on the window first.
xdotool mousemove 1792 130 click 1
sleep 0.3
dialog=""
for attempt in 1 2 3; do
    xdotool mousemove 1792 130 click 3
    sleep 0.4
    xdotool key --delay 40 Down Down Down Down Return
    dialog=$(wait_for_window 790x520 20)
    [[ -n "$dialog" ]] && break
    xdotool key Escape Escape
done
[[ -n "$dialog" && "$(origin_of "$dialog")" == "1398 65" ]] ||
    fail "the settings dialog stands at '$( [[ -n "$dialog" ]] && origin_of "$dialog")', not at 1398 65"

kill -TERM "$program"
wait "$program" 2>/dev/null
finish_checks "two monitors under openbox"
