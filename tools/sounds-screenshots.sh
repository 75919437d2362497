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
source tools/dialog-shots.sh
dialog_screen

shoot() { # EDITION BINARY
    local work="$scratch/$1"
    mkdir -p "$work/rec"
    local recording="$work/rec/creaking door.wav"
    sox -n -r 48000 -c 2 "$recording" synth 1.2 sine 300-900 fade 0.05 1.2 0.2 vol 0.5
    dialog_session "$work" "$2" 'Звуки' "
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
        import -window root -crop 790x520+\$x+\$y +repage '$out/sounds-$1.png'"
    echo "$out/sounds-$1.png"
}

shoot en gloamery
shoot ru gloamery-ru
