# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Shared by the dialog screenshot tools, sourced from the repository's top folder: an Xvfb screen
# of their own under openbox, and a dialog of the real program opened through its main menu.
# No -e in the tools: the window searches of tests/wm/screen.sh end on a failed test when nothing
# is found.

# Starts the screen and sets DISPLAY; `scratch` (a folder) goes with it when the tool ends.
dialog_screen() {
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
}

# Runs BINARY of `build` with its settings and data in WORK, opens the 790x520 dialog whose main
# menu entry reads CAPTION, then runs STEPS (shell text; $x and $y are the dialog's corner) and
# ends the program.
dialog_session() { # WORK BINARY CAPTION STEPS
    export GLOAMERY_SETTINGS="$1/settings.db" XDG_DATA_HOME="$1/data"
    mkdir -p "$1/data"
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
        click_menu_entry 420 120 '$3'
        win=\$(wait_for_window 790x520 100); sleep 1.5
        read -r x y < <(xdotool getwindowgeometry \$win | awk -F'[ ,]+' '/Position/ {print \$3, \$4}')
        $4
        kill -TERM \$pid; wait \$pid
        kill \$wm
    " 2> >(grep -v '^dbus-daemon\[\|^SpiRegistry' >&2)
}
