# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the checks that drive the program on a screen of their own.

# Qt under X looks for a session bus (tray, menus, accessibility). Whether it finds one depends on
# the machine: with dbus-x11 installed, libdbus starts a bus for the display by itself, and what
# Qt's bus connection keeps reaches the leak checker. No bus at all, rather than one of our own
# (dbus-run-session): the program runs the same everywhere, needs no daemon, and leaves the
# desktop bus of a developer's session alone. The exception: run_inside_xvfb_accessible's own bus.
[[ -n "${GLOAMERY_PRIVATE_BUS:-}" ]] || export DBUS_SESSION_BUS_ADDRESS=disabled:

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

# Skips the check when python3 cannot reach the accessibility tree, which tools/menu-entry.py reads.
require_atspi() {
    require_tools dbus-run-session dbus-send /usr/bin/python3
    if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
        echo "SKIPPED: python3 cannot reach Atspi (scripts/install-deps.sh installs it)"
        exit 77
    fi
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

# Like run_inside_xvfb, with a bus of the run's own (dbus-run-session ends it with the run) and
# Qt's accessibility on, so that tools/menu-entry.py finds the program's menu entries by caption.
run_inside_xvfb_accessible() { # MARKER SCRIPT ARGUMENTS...
    local marker=$1
    shift
    if [[ -z "${!marker:-}" ]]; then
        export "$marker"=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 GLOAMERY_PRIVATE_BUS=1
        exec xvfb-run -a -s '-screen 0 1024x700x24 -noreset' dbus-run-session -- "$@"
    fi
    # The accessibility bus up before the program starts, since the program looks for it once.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null
}

# The scratch folder, settings and platform of a check that drives the program, fail() to count
# its failures and finish_checks to end with them; openbox too when WM is "openbox".
start_checks() { # [WM]
    work=$(mktemp -d)
    trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
    export GLOAMERY_SETTINGS="$work/settings.db"
    export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
    failures=0
    if [[ "${1:-}" == openbox ]]; then
        openbox >/dev/null 2>&1 &
        sleep 0.5
    fi
    source "$(dirname "${BASH_SOURCE[0]}")/../wm/screen.sh"
}
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
finish_checks() { # LABEL
    [[ $failures -eq 0 ]] && echo "$1: all checks passed"
    exit $((failures > 0))
}
