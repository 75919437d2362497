#!/usr/bin/env bash
# Takes screenshots of both editions under Xvfb: the main window, a quick panel open, and the
# right-click menu. Usage: tools/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshots}
mkdir -p "$out"
for tool in xvfb-run import xdotool convert; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (apt-get install xvfb imagemagick xdotool)"; exit 1; }
done

shoot() {
    local edition=$1 binary=$2 settings
    settings=$(mktemp -d)
    # A first run uses up the first-start presentation, so the pictures show the window at rest.
    GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a bash -c "
        '$build/bin/$binary' & pid=\$!; sleep 4.5; kill -TERM \$pid; wait \$pid"
    GLOAMERY_SETTINGS="$settings/settings.db" xvfb-run -a -s '-screen 0 1024x700x24' bash -c "
        '$build/bin/$binary' & pid=\$!
        sleep 4.5
        import -window root -crop 800x600+112+10 '$out/$edition-main.png'
        xdotool mousemove 240 230; sleep 0.4
        import -window root -crop 800x600+112+10 '$out/$edition-panel.png'
        xdotool mousemove 420 120 click 3; sleep 0.6
        import -window root -crop 800x600+112+10 '$out/$edition-menu.png'
        xdotool key Escape
        kill -TERM \$pid; wait \$pid
    "
    rm -rf "$settings"
}

shoot en gloamery
shoot ru gloamery-ru
ls -1 "$out"
