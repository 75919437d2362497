# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the checks that drive the program on a screen of their own.

# Qt under X looks for a session bus (tray, menus, accessibility). Whether it finds one depends on
# the machine: with dbus-x11 installed, libdbus starts a bus for the display by itself, and what
# Qt's bus connection keeps reaches the leak checker. No bus at all, rather than one of our own
# (dbus-run-session): the program runs the same everywhere, needs no daemon, and leaves the
# desktop bus of a developer's session alone.
export DBUS_SESSION_BUS_ADDRESS=disabled:

# Skips the check (exit 77) when one of the tools is missing.
require_tools() { # TOOL...
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIPPED: $tool is missing (scripts/install-deps.sh installs it)"
            exit 77
        fi
    done
}

# Runs the calling script again inside an Xvfb of its own, once: MARKER names the variable that
# tells the second run it is inside. -noreset: without a window manager the program can be the
# server's only client, and the closing of its display probe would reset the server just as Qt
# connects.
run_inside_xvfb() { # MARKER SCRIPT ARGUMENTS...
    local marker=$1
    shift
    if [[ -z "${!marker:-}" ]]; then
        export "$marker"=1
        exec xvfb-run -a -s '-screen 0 1024x700x24 -noreset' "$@"
    fi
}
