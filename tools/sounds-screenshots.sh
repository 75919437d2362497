#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of the sounds window in both editions: a recording imported through the file dialog
# into "Postman, short", the new sound chosen. Runs on an Xvfb screen of its own under openbox,
# with settings and an own sound folder in a scratch folder.
# Usage: tools/sounds-screenshots.sh [BUILD_DIR] [OUT_DIR]
# No -e: the window searches of tests/wm/screen.sh end on a failed test when nothing is found.
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-docs/screenshots}")
mkdir -p "$out"
for tool in Xvfb openbox xdotool import sox dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "sounds-screenshots: $tool is missing"; exit 1; }
done
scratch=$(mktemp -d)
# Xvfb picks a free display itself and says which.
Xvfb -displayfd 3 -screen 0 1024x700x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb; rm -rf "$scratch"' EXIT
while [[ ! -s "$scratch/display" ]]; do sleep 0.1; done
export DISPLAY=:$(cat "$scratch/display")
export DBUS_SESSION_BUS_ADDRESS=disabled:
source tests/wm/screen.sh
waiting=$(declare -f window_sized wait_for_window menu_entry_place click_menu_entry
    declare -p menu_entry_tool)

shoot() { # EDITION BINARY
    local work="$scratch/$1"
    mkdir -p "$work/data" "$work/rec"
    local recording="$work/rec/creaking door.wav"
    sox -n -r 48000 -c 2 "$recording" synth 1.2 sine 300-900 fade 0.05 1.2 0.2 vol 0.5
    export GLOAMERY_SETTINGS="$work/settings.db" XDG_DATA_HOME="$work/data"
    # A first run uses up the first-start presentation.
    "$build/bin/$2" & pid=$!
    wait_for_window 800x600 300 >/dev/null; sleep 3; kill -TERM $pid; wait $pid
    # Qt's accessibility on, so that the menu entry is found by its caption.
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 dbus-run-session -- bash -c "

        $waiting
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null
        openbox >/dev/null 2>&1 & wm=\$!; sleep 1
        '$build/bin/$2' & pid=\$!
        wait_for_window 800x600 300 >/dev/null
        while [[ -n \"\$(window_sized 400x300)\" ]]; do sleep 0.4; done; sleep 1
        click_menu_entry 420 120 'Звуки'
        win=\$(wait_for_window 790x520 100); sleep 1.5
        read -r x y < <(xdotool getwindowgeometry \$win | awk -F'[ ,]+' '/Position/ {print \$3, \$4}')
        # The first library, then down to Postman, short.
        xdotool mousemove \$((x + 100)) \$((y + 60)) click 1; sleep 0.4
        for i in 1 2 3 4 5 6 7 8 9; do xdotool key Down; sleep 0.1; done; sleep 1
        # Add..., and the recording typed into the file dialog.
        xdotool mousemove \$((x + 376)) \$((y + 336)) click 1; sleep 2
        xdotool type --delay 20 '$recording'; sleep 0.3
        xdotool key Return; sleep 4
        # The last sound but one, then the imported one below it.
        xdotool mousemove \$((x + 420)) \$((y + 258)) click 1; sleep 0.4
        xdotool key Down; sleep 0.6
        xdotool mousemove \$((x + 600)) \$((y + 480)); sleep 0.6
        import -window root -crop 790x520+\$x+\$y +repage '$out/sounds-$1.png'
        kill -TERM \$pid; wait \$pid
        kill \$wm
    " 2> >(grep -v '^dbus-daemon\[\|^SpiRegistry' >&2)
    echo "$out/sounds-$1.png"
}

shoot en gloamery
shoot ru gloamery-ru
