#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the English edition under Xvfb as a user would: opens the ghost settings dialog from the
# right-click menu, switches ghost 1 on with the night regime and the doorman specialty, closes
# the dialog, presses Start and reads the start button's hint; then ends the program, checks the
# stored settings, starts it again and photographs the dialog to show that they were kept.
# Usage: tools/walkthrough.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-walkthrough}")
mkdir -p "$out"
for tool in xvfb-run import xdotool sqlite3; do
    command -v "$tool" >/dev/null || { echo "walkthrough: $tool is missing"; exit 1; }
done
export GLOAMERY_SETTINGS="$out/settings.db"
# No session bus, as in the checks (tests/support/inside_xvfb.sh).
export DBUS_SESSION_BUS_ADDRESS=disabled:
rm -f "$GLOAMERY_SETTINGS"

# A first start shows the splash and uses up the first-start presentation.
xvfb-run -a bash -c '"$0/bin/gloamery" & pid=$!; sleep 4.5; kill -TERM $pid; wait $pid' "$build"

# Screen places on a 1024 by 700 screen: the main window at 112,10, the dialogs at 118,65.
export out build
xvfb-run -a -s '-screen 0 1024x700x24 -noreset' bash -c '
    set -e
    "$build/bin/gloamery" & pid=$!
    sleep 4.5
    xdotool mousemove 420 120 click 3; sleep 0.5
    xdotool key Down Down Down Down Return; sleep 0.8   # "Настройки призраков"
    xdotool mousemove 219 485 click 1; sleep 0.2        # on/off switch
    # Two clicks in quick succession would be a double click, which a scroller takes as one.
    xdotool mousemove 414 301 click 1; sleep 0.6        # regime up: around the clock
    xdotool click 1; sleep 0.2                          # and again: night
    xdotool mousemove 709 301 click 1; sleep 0.2        # specialty up: doorman
    xdotool mousemove 795 395 click 1; sleep 0.3        # sensor up
    import -window root "$out/1-ghost-dialog.png"
    xdotool mousemove 808 550 click 1; sleep 0.5        # close
    xdotool mousemove 510 353 click 1; sleep 0.3        # Start
    xdotool mousemove 512 355; sleep 1.5               # rest on it for the hint
    import -window root "$out/2-started.png"
    kill -TERM $pid; wait $pid
'
echo "stored for ghost 1:"
sqlite3 "$GLOAMERY_SETTINGS" "SELECT name, data FROM settings WHERE name LIKE 'Ghost\_1\_%' ESCAPE '\\' ORDER BY name"

xvfb-run -a -s '-screen 0 1024x700x24 -noreset' bash -c '
    set -e
    "$build/bin/gloamery" & pid=$!
    sleep 5
    xdotool mousemove 420 120 click 3; sleep 0.5
    xdotool key Down Down Down Down Return; sleep 0.8
    xdotool mousemove 760 20; sleep 0.3
    import -window root "$out/3-after-restart.png"
    kill -TERM $pid; wait $pid
'
ls -1 "$out"
