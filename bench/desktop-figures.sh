#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop figures of Gloamery beside a minimal Qt Widgets program (one frameless 800x600
# window repainted every 100 ms), each under an Xvfb of its own, several runs, medians:
#   - time to the first visible window (Gloamery: the splash);
#   - CPU while idle (Gloamery: main window shown, attraction running, pointer still), in % of
#     one core over SAMPLE seconds;
#   - resident memory while idle, in MB.
# Usage: bench/desktop-figures.sh [BUILD_DIR] [RUNS] [SAMPLE]   (defaults: build 3 20)
set -uo pipefail

build=$(realpath "${1:-build}")
runs=${2:-3}
sample=${3:-20}
minimal="$build/bench/desktop_minimal_window"
first_map="$build/bench/desktop_first_map"
gloamery="$build/bin/gloamery"
for file in "$minimal" "$first_map" "$gloamery"; do
    [[ -x "$file" ]] || { echo "missing $file: build with GLOAMERY_BUILD_BENCH=ON" >&2; exit 2; }
done
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb GLOAMERY_SETTINGS="$work/settings.db"
# No session bus for either program, or their memory would depend on whether dbus-x11 is installed.
export DBUS_SESSION_BUS_ADDRESS=disabled:
unset GLOAMERY_BOARDS

display=:$((70 + RANDOM % 100))
start_x() {
    Xvfb "$display" -screen 0 1024x700x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xserver=$!
    export DISPLAY=$display
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && return; sleep 0.1; done
}
stop_x() {
    kill "$xserver" 2>/dev/null
    wait "$xserver" 2>/dev/null
}

source "$(dirname "$0")/process-figures.sh"

# Gloamery's first start plays the presentation; one start beforehand uses it up, as a person's
# first evening would.
start_x
"$gloamery" >/dev/null 2>&1 &
sleep 8
kill -TERM $! 2>/dev/null
wait $! 2>/dev/null
stop_x

declare -A figures
record() { figures[$1]+="$2 "; }

for run in $(seq "$runs"); do
    for program in minimal gloamery; do
        binary=$minimal
        [[ $program == gloamery ]] && binary=$gloamery
        start_x
        record "$program.start" "$("$first_map" "$binary" 2>/dev/null)"
        stop_x

        start_x
        "$binary" >/dev/null 2>&1 &
        pid=$!
        if [[ $program == gloamery ]]; then
            sleep 6 # the splash closes itself after about three seconds
            # The start button: main window at (112, 10), button at (316, 318) 164 by 50.
            xdotool mousemove 560 343 click 1
        else
            sleep 3
        fi
        xdotool mousemove 1000 690 # still, away from every window
        sleep 3
        record "$program.cpu" "$(idle_cpu "$pid")"
        record "$program.rss" "$(rss_mb "$pid")"
        kill -TERM "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        stop_x
    done
done

median() {
    tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "n/a"; exit }
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

printf '%-34s %14s %14s %8s\n' "Figure (median of $runs runs)" "Minimal Qt" "Gloamery" "Ratio"
for figure in start cpu rss; do
    case $figure in
    start) label="Time to the first window, ms" ;;
    cpu) label="CPU while idle, % of one core" ;;
    rss) label="Resident memory while idle, MB" ;;
    esac
    a=$(median <<<"${figures[minimal.$figure]}")
    b=$(median <<<"${figures[gloamery.$figure]}")
    ratio=$(awk -v a="$a" -v b="$b" 'BEGIN { if (a > 0) printf "%.2f", b / a; else print "n/a" }')
    printf '%-34s %14s %14s %8s\n' "$label" "$a" "$b" "$ratio"
    printf '  %-32s %14s %14s\n' "all runs" "${figures[minimal.$figure]}" "${figures[gloamery.$figure]}"
done
