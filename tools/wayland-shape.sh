#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the English edition natively on Wayland (weston's X11 backend inside an Xvfb, no DISPLAY
# for the program) and counts the magenta key pixels on the screen once the main window is up:
# where the window system does not cut the shape, the key must not show. Also prints the
# program's own line about native Wayland.
# Usage: tools/wayland-shape.sh [BUILD_DIR [SCREENSHOT]]   (exit 1: key pixels seen)
# Figures (1200x700 weston output): 52700 key pixels before the key was left transparent, 0 after.
set -uo pipefail

build=$(realpath "${1:-build}")
screenshot=${2:+$(realpath -m "$2")}
for tool in xvfb-run weston import convert; do
    command -v "$tool" >/dev/null || { echo "wayland-shape: $tool is missing"; exit 2; }
done
if [[ -z "${GLOAMERY_WAYLAND_INSIDE:-}" ]]; then
    export GLOAMERY_WAYLAND_INSIDE=1
    exec xvfb-run -a -s '-screen 0 1280x768x24 -noreset' "$0" "$@"
fi

work=$(mktemp -d)
chmod 700 "$work"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work
weston --backend=x11-backend.so --socket=wayland-shape --width=1200 --height=700 \
    >"$work/weston.log" 2>&1 &
for _ in $(seq 50); do
    [[ -S "$work/wayland-shape" ]] && break
    sleep 0.1
done

env -u DISPLAY WAYLAND_DISPLAY=wayland-shape GLOAMERY_SETTINGS="$work/settings.db" \
    SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=disabled: "$build/bin/gloamery" \
    >"$work/program.log" 2>&1 &
program=$!
# The splash goes after about three seconds; the first start's presentation then shows the
# main window.
sleep 16
import -window root "$work/screen.png"
[[ -n "$screenshot" ]] && cp "$work/screen.png" "$screenshot"
key=$(convert "$work/screen.png" -fill black +opaque '#FF00FF' -fill white -opaque '#FF00FF' \
    -format '%[fx:round(mean*w*h)]' info:)
kill -TERM "$program"
wait "$program"
grep -i wayland "$work/program.log"
echo "key pixels on the screen: $key"
[[ "$key" -eq 0 ]]
