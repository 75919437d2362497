#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of both editions under Xvfb: the main window, a quick panel open, the
# right-click menu with its language submenu, the ghost settings dialog and the settings dialog;
# with openbox installed, the web access window with its accounts hidden and shown, the network
# server window with two clients logged in, and the splash's device view with two simulated boards; with openbox and trayer installed, also the
# tray icon and its menu.
# Usage: tools/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshots}
mkdir -p "$out"
# No session bus, as in the checks (tests/support/inside_xvfb.sh): the same pictures everywhere.
export DBUS_SESSION_BUS_ADDRESS=disabled:
for tool in xvfb-run import xdotool convert; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (apt-get install xvfb imagemagick xdotool)"; exit 1; }
done
tray=no
command -v openbox >/dev/null && command -v trayer >/dev/null && tray=yes
[ "$tray" = yes ] || echo "screenshots: no openbox and trayer, so no tray pictures"

# The window sits centred at top 10 on a 1024 by 700 screen.
window="800x600+112+10"

shoot() {
    local edition=$1 binary=$2 settings
    settings=$(mktemp -d)
    # A first run uses up the first-start presentation, so the pictures show the window at rest.
    GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a bash -c "
        '$build/bin/$binary' & pid=\$!; sleep 4.5; kill -TERM \$pid; wait \$pid"
    GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a -s '-screen 0 1024x700x24 -noreset' bash -c "
        set -e
        snap() { import -window root -crop \$2 \"$out/$edition-\$1.png\"; }
        '$build/bin/$binary' & pid=\$!
        sleep 4.5
        snap main $window
        xdotool mousemove 240 230; sleep 0.4
        snap panel $window
        xdotool mousemove 420 120 click 3; sleep 0.6
        snap menu $window
        # The first entry opens the language submenu.
        xdotool key Down Right; sleep 0.6
        snap language $window
        xdotool key Escape Escape; sleep 0.3
        # Entries: language, web access, network server, program settings, ghost settings, exit.
        xdotool mousemove 420 120 click 3; sleep 0.5
        xdotool key Down Down Down Down Down Return; sleep 0.8
        # Ghost 1's on/off switch, so that all its groups show; then the close button.
        xdotool mousemove 219 485 click 1; sleep 0.2
        xdotool mousemove 760 20; sleep 0.3
        snap ghost $window
        xdotool mousemove 808 550 click 1; sleep 0.5
        xdotool mousemove 420 120 click 3; sleep 0.5
        xdotool key Down Down Down Down Return; sleep 0.8
        xdotool mousemove 760 20; sleep 0.3
        snap nastr $window
        kill -TERM \$pid; wait \$pid
    "
    if command -v openbox >/dev/null; then
        GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a -s '-screen 0 1024x700x24 -noreset' bash -c "
            set -e
            openbox >/dev/null 2>&1 & sleep 1
            snap() { import -window root -crop \$2 \"$out/$edition-\$1.png\"; }
            '$build/bin/$binary' & pid=\$!
            sleep 4.5
            # The second entry: web access.
            xdotool mousemove 420 120 click 3; sleep 0.5
            xdotool key Down Down Return; sleep 0.8
            xdotool mousemove 760 20; sleep 0.3
            snap web $window
            # The User and Admin checkboxes, at the window's place beside the main window.
            xdotool mousemove 171 261 click 1; sleep 0.2
            xdotool mousemove 171 391 click 1; sleep 0.2
            xdotool mousemove 760 20; sleep 0.3
            snap web-accounts $window
            kill -TERM \$pid; wait \$pid
        " 2>/dev/null
        # The network server window: socket started, two clients logged in with an action each,
        # the first one marked. It stands where its form puts it, moved in to fit the screen.
        GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a -s '-screen 0 1024x700x24 -noreset' bash -c "
            set -e
            openbox >/dev/null 2>&1 & sleep 1
            '$build/bin/$binary' & pid=\$!
            sleep 4.5
            xdotool mousemove 420 120 click 3; sleep 0.5
            xdotool key Down Down Down Return; sleep 1
            for id in \$(xdotool search --onlyvisible --class gloamery); do
                xdotool getwindowgeometry \$id | grep -q 942x470 && net=\$id
            done
            read -r x y < <(xdotool getwindowgeometry \$net | awk -F'[ ,]+' '/Position/ {print \$3, \$4}')
            # The start button, then the clients.
            xdotool mousemove \$((x + 650)) \$((y + 164)) click 1; sleep 0.5
            python3 tools/net-client.py --port 25963 --demo '$settings/settings.db' --seconds 15 & clients=\$!
            sleep 2
            xdotool mousemove \$((x + 27)) \$((y + 111)) click 1; sleep 0.3
            xdotool mousemove \$((x + 600)) \$((y + 260)); sleep 0.4
            import -window root -crop 942x470+\$x+\$y +repage '$out/$edition-net.png'
            kill \$clients || true
            kill -TERM \$pid; wait \$pid
        " 2>/dev/null
    fi
    if [ "$tray" = yes ]; then
        GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a -s '-screen 0 1024x700x24 -noreset' bash -c "
            set -e
            openbox >/dev/null 2>&1 & sleep 1
            trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 \
                --transparent false & sleep 1
            '$build/bin/$binary' & pid=\$!
            sleep 4.5
            # A minimise from the window manager sends the window to the tray.
            xdotool windowminimize \$(xdotool search --onlyvisible --class gloamery | head -1)
            sleep 1
            xdotool mousemove 1011 684 click 3; sleep 0.8
            import -window root -crop 400x160+624+540 '$out/$edition-tray.png'
            xdotool key Escape; sleep 0.3
            xdotool mousemove 1011 684 click --repeat 2 --delay 80 1; sleep 1
            kill -TERM \$pid; wait \$pid
        " 2>/dev/null
    fi
    rm -rf "$settings"
}

shoot en gloamery
shoot ru gloamery-ru
# The splash's device view with two simulated boards, one with inputs switched on.
bash tests/wm/device_view_under_openbox.sh "$build/bin" "$out/en-devices.png" gloamery
bash tests/wm/device_view_under_openbox.sh "$build/bin" "$out/ru-devices.png" gloamery-ru
# The management page as a phone shows it.
bash tools/phone-screenshots.sh "$build" "$out"
ls -1 "$out"
