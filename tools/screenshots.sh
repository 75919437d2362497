#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of both editions under Xvfb: the main window, a quick panel open, the
# right-click menu with its language submenu, the ghost settings dialog and the settings dialog;
# with openbox installed, the web access window with its accounts hidden and shown, the home
# automation window, the network server window with two clients logged in, and the splash's device view with two simulated boards; with openbox and trayer installed, also the
# tray icon and its menu.
# Usage: tools/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshots}
mkdir -p "$out"
# No session bus of the user's, as in the checks (tests/support/inside_xvfb.sh): the same pictures
# everywhere. The runs that open the menu have one of their own (session below).
export DBUS_SESSION_BUS_ADDRESS=disabled:
for tool in xvfb-run import xdotool convert dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done
tray=no
command -v openbox >/dev/null && command -v trayer >/dev/null && tray=yes
[ "$tray" = yes ] || echo "screenshots: no openbox and trayer, so no tray pictures"

# The window sits centred at top 10 on a 1024 by 700 screen.
window="800x600+112+10"

# The main window up and the splash gone, however long a busy machine takes to start the program;
# the pauses between the steps below are generous for the same reason.
source tests/wm/screen.sh
main_window_ready() {
    # A search that misses must not end the set -e scripts below.
    wait_for_window 800x600 300 >/dev/null || true
    while [[ -n "$(window_sized 400x300)" ]]; do sleep 0.4; done
    sleep 1
}
# For the scripts below (xvfb-run is a sh script, which drops exported functions).
waiting=$(declare -f window_sized wait_for_window main_window_ready menu_entry_place \
    click_menu_entry wait_for_no_window; declare -p menu_entry_tool)

# A run on a screen of its own, with a bus of its own and Qt's accessibility on, so that the
# scripts find menu entries by their captions.
session() { # SCRIPT
    GLOAMERY_SETTINGS="$settings/settings.db" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        xvfb-run -a -s '-screen 0 1024x700x24 -noreset' dbus-run-session -- bash -c "
            $waiting
            dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
                org.a11y.Bus.GetAddress >/dev/null
            $1" 2> >(grep -v '^dbus-daemon\[\|^SpiRegistry' >&2)
}

shoot() {
    local edition=$1 binary=$2 settings
    settings=$(mktemp -d)
    # A first run uses up the first-start presentation, so the pictures show the window at rest.
    GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a -s '-screen 0 1024x700x24 -noreset' bash -c "
        $waiting
        '$build/bin/$binary' & pid=\$!; main_window_ready; kill -TERM \$pid; wait \$pid"
    session "
        set -e
        snap() { import -window root -crop \$2 \"$out/$edition-\$1.png\"; }
        '$build/bin/$binary' & pid=\$!
        main_window_ready
        snap main $window
        xdotool mousemove 240 230; sleep 0.8
        snap panel $window
        xdotool mousemove 420 120 click 3; sleep 1.2
        snap menu $window
        xdotool key Escape; sleep 0.6
        # The language entry opens its submenu.
        xdotool mousemove \$(menu_entry_place 420 120 'Язык интерфейса') key Right; sleep 1.2
        snap language $window
        xdotool key Escape Escape; sleep 0.6
        click_menu_entry 420 120 'Настройки призраков'; sleep 1.6
        # Ghost 1's on/off switch, so that all its groups show; then the close button.
        xdotool mousemove 219 485 click 1; sleep 0.4
        xdotool mousemove 760 20; sleep 0.6
        snap ghost $window
        xdotool mousemove 808 550 click 1; sleep 1
        click_menu_entry 420 120 'Настройки программы'; sleep 1.6
        xdotool mousemove 760 20; sleep 0.6
        snap nastr $window
        kill -TERM \$pid; wait \$pid
    "
    if command -v openbox >/dev/null; then
        session "
            set -e
            openbox >/dev/null 2>&1 & sleep 1
            snap() { import -window root -crop \$2 \"$out/$edition-\$1.png\"; }
            '$build/bin/$binary' & pid=\$!
            main_window_ready
            click_menu_entry 420 120 'Настройки Web доступа'; sleep 1.6
            xdotool mousemove 760 20; sleep 0.6
            snap web $window
            # The User and Admin checkboxes, at the window's place beside the main window.
            xdotool mousemove 171 261 click 1; sleep 0.4
            xdotool mousemove 171 391 click 1; sleep 0.4
            xdotool mousemove 760 20; sleep 0.6
            snap web-accounts $window
            kill -TERM \$pid; wait \$pid
        " 2>/dev/null
        # The home automation window with the link turned on and no broker to be had: the lamp
        # waits and the state line says why.
        session "
            set -e
            openbox >/dev/null 2>&1 & sleep 1
            '$build/bin/$binary' & pid=\$!
            main_window_ready
            click_menu_entry 420 120 'Умный дом'
            home=\$(wait_for_window 790x520 100); sleep 1
            read -r x y < <(xdotool getwindowgeometry \$home | awk -F'[ ,]+' '/Position/ {print \$3, \$4}')
            # The box that turns the link on.
            xdotool mousemove \$((x + 40)) \$((y + 91)) click 1; sleep 2
            xdotool mousemove \$((x + 600)) \$((y + 300)); sleep 0.6
            import -window root -crop 790x520+\$x+\$y +repage '$out/home-automation-$edition.png'
            kill -TERM \$pid; wait \$pid
        " 2>/dev/null
        # The network server window: socket started, two clients logged in with an action each,
        # the first one marked. It stands where its form puts it, moved in to fit the screen.
        session "
            set -e
            openbox >/dev/null 2>&1 & sleep 1
            '$build/bin/$binary' & pid=\$!
            main_window_ready
            click_menu_entry 420 120 'Сетевой сервер'
            net=\$(wait_for_window 942x470 100); sleep 1
            read -r x y < <(xdotool getwindowgeometry \$net | awk -F'[ ,]+' '/Position/ {print \$3, \$4}')
            # The start button, then the clients.
            xdotool mousemove \$((x + 650)) \$((y + 164)) click 1
            for i in \$(seq 50); do ss -ltn | grep -q ':25963 ' && break; sleep 0.2; done
            python3 tools/net-client.py --port 25963 --demo '$settings/settings.db' --seconds 15 & clients=\$!
            sleep 8
            xdotool mousemove \$((x + 27)) \$((y + 111)) click 1; sleep 0.6
            # Away from the client's hint, which would show after 0.7 s.
            xdotool mousemove \$((x + 600)) \$((y + 260)); sleep 0.4
            import -window root -crop 942x470+\$x+\$y +repage '$out/$edition-net.png'
            kill \$clients || true
            kill -TERM \$pid; wait \$pid
        " 2>/dev/null
    fi
    if [ "$tray" = yes ]; then
        GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a -s '-screen 0 1024x700x24 -noreset' bash -c "
            $waiting
            set -e
            openbox >/dev/null 2>&1 & sleep 1
            trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 \
                --transparent false & sleep 1
            '$build/bin/$binary' & pid=\$!
            main_window_ready
            # A minimise from the window manager sends the window to the tray.
            xdotool windowminimize \$(xdotool search --onlyvisible --class gloamery | head -1)
            sleep 1
            xdotool mousemove 1011 684 click 3; sleep 1.6
            import -window root -crop 400x160+624+540 '$out/$edition-tray.png'
            xdotool key Escape; sleep 0.6
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
