#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of the schedule window in both editions, filled in through the window itself: two
# evenings (Friday to Sunday from 15 minutes before sunset with the final sound; 24 to 31 October
# from dusk to sunrise with the door opened), one quiet period and Berlin. Runs on an Xvfb screen
# of its own under openbox, with settings in a scratch folder.
# Usage: tools/schedule-screenshots.sh [BUILD_DIR] [OUT_DIR]
# No -e: the window searches of tests/wm/screen.sh end on a failed test when nothing is found.
set -uo pipefail
# The program reckons in the computer's time zone: the pictures' place is Berlin, so is their clock.
export TZ=Europe/Berlin
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-docs/screenshots}")
mkdir -p "$out"
for tool in Xvfb openbox xdotool import dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "schedule-screenshots: $tool is missing"; exit 1; }
done
scratch=$(mktemp -d)
source tools/dialog-shots.sh
dialog_screen

shoot() { # EDITION BINARY MENU_CAPTION
    dialog_session "$scratch/$1" "$2" "$3" "
        at() { xdotool mousemove \$((x + \$1)) \$((y + \$2)) click 1; sleep 0.4; }
        keys() { for key in \"\$@\"; do xdotool key \$key; sleep 0.15; done; }
        # Follow the schedule; the first evening: Friday to Sunday, sunset - 15, final sound.
        at 30 56
        at 86 190
        for day in 0 1 2 3; do at \$((48 + day * 50)) 237; done
        at 180 296; keys Down Return
        at 320 296; keys ctrl+a minus 1 5 Tab
        at 30 355
        # The second: 24 to 31 October, dusk to sunrise, the door opened.
        at 86 190
        at 30 263
        # Each date field: its month section up from January, then its day section up from 1.
        up() { for ((i = 0; i < \$1; ++i)); do xdotool key Up; sleep 0.05; done; sleep 0.3; }
        at 200 264; up 9
        at 140 264; up 23
        at 340 264; up 9
        at 280 264; up 30
        at 180 296; keys Down Down Return
        at 180 326; keys Down Return
        at 216 355
        # A quiet period, then Berlin from the end of the list.
        at 630 109
        at 634 150; keys Up Up Up Up Up Up Up Up Up Up Return
        xdotool mousemove \$((x + 500)) \$((y + 480)); sleep 0.8
        import -window root -crop 790x520+\$x+\$y +repage '$out/schedule-$1.png'"
    echo "$out/schedule-$1.png"
}

shoot en gloamery Расписание
shoot ru gloamery-ru Расписание
