#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The figures of gloameryd, the program without a desktop, beside the English edition's, both with
# the attraction waiting for its first act and the phone page's server listening:
#   - gloameryd: from exec to the phone page's first answer, in ms (median of STARTS starts),
#     with no display at all;
#   - both: CPU while idle, in % of one core over SAMPLE seconds, and resident memory;
#     the English edition under an Xvfb of its own.
# The limits are gloameryd's; the script ends with 1 when one of them is missed, 2 when something
# it needs is missing. Run it on a Release build.
# Usage: bench/daemon-figures.sh [BUILD_DIR] [STARTS] [SAMPLE]   (defaults: build 5 60)
set -uo pipefail

build=$(realpath "${1:-build}")
starts=${2:-5}
sample=${3:-60}
daemon="$build/bin/gloameryd"
desktop="$build/bin/gloamery"
for file in "$daemon" "$desktop"; do
    [[ -x "$file" ]] || { echo "missing $file" >&2; exit 2; }
done
for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done

limit_page_ms=100
limit_cpu=0.1
limit_rss_mb=15

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy GLOAMERY_SETTINGS="$work/settings.db"
# No session bus: the figures must not depend on whether one happens to be there.
export DBUS_SESSION_BUS_ADDRESS=disabled:
unset GLOAMERY_BOARDS DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# A port of its own, so a program already listening on 8012 cannot answer in gloameryd's place.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
password=daemonbench1
# The page's server starts with the program, the account "user" may sign in, and the attraction
# starts with the program (the edition's too; gloameryd is also given --start).
configure() { # KEY VALUE
    "$daemon" config set "$1" "$2" || { echo "daemon-figures: config set $1 failed" >&2; exit 2; }
}
configure web.port "$port"
configure web.autostart true
configure web.user.enabled true
configure web.user.password "$password"
configure attraction.start-on-launch true

# Starts gloameryd, polls the page every millisecond and prints the ms from exec to the first
# 200 reply, then gloameryd's pid; stays until gloameryd has ended, which it reaps.
page_clock() {
    python3 - "$daemon" "$port" "$password" <<'PY'
import base64, socket, subprocess, sys, time
daemon, port, password = sys.argv[1], int(sys.argv[2]), sys.argv[3]
auth = base64.b64encode(f"user:{password}".encode()).decode()
request = (f"GET /manage HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Basic {auth}\r\n"
           "Connection: close\r\n\r\n").encode()
began = time.monotonic()
program = subprocess.Popen([daemon, "--start"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while True:
    if program.poll() is not None:
        sys.exit(f"daemon-figures: gloameryd ended with {program.returncode} before its page answered")
    if time.monotonic() - began > 10:
        program.terminate()
        sys.exit("daemon-figures: no page after 10 s")
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=2) as connection:
            connection.sendall(request)
            status = connection.recv(64).split(b"\r\n", 1)[0]
    except OSError:
        time.sleep(0.001)
        continue
    if status.split(b" ")[1:2] != [b"200"]:
        program.terminate()
        sys.exit(f"daemon-figures: the page answered {status!r}")
    print(f"{(time.monotonic() - began) * 1000:.1f}\n{program.pid}", flush=True)
    program.wait()
    break
PY
}
# Runs the page clock in the background: sets ms, pid (gloameryd's) and clock (the clock's).
start_clocked() {
    : >"$work/clock"
    page_clock >"$work/clock" &
    clock=$!
    while [[ $(wc -l <"$work/clock") -lt 2 ]]; do
        kill -0 "$clock" 2>/dev/null || exit 2
        sleep 0.05
    done
    { read -r ms && read -r pid; } <"$work/clock"
}
stop_clocked() {
    kill -TERM "$pid" 2>/dev/null
    wait "$clock"
}

source "$(dirname "$0")/process-figures.sh"
median() {
    tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "n/a"; exit }
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

page_runs=""
for _ in $(seq "$starts"); do
    start_clocked
    page_runs+="$ms "
    stop_clocked
done

start_clocked
sleep 3 # past the start's own work
daemon_cpu=$(idle_cpu "$pid")
daemon_rss=$(rss_mb "$pid")
stop_clocked

display=:$((70 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x700x24 -nolisten tcp -noreset >/dev/null 2>&1 &
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
# The edition's first start plays the presentation; one start beforehand uses it up.
for round in first measured; do
    "$desktop" >/dev/null 2>&1 &
    pid=$!
    if [[ $round == first ]]; then
        sleep 8
    else
        sleep 9 # the splash closes itself after about three seconds
        xdotool mousemove 1000 690 # still, away from every window
        desktop_cpu=$(idle_cpu "$pid")
        desktop_rss=$(rss_mb "$pid")
    fi
    kill -TERM "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
done

page_ms=$(median <<<"$page_runs")
verdict() { # VALUE LIMIT
    awk -v v="$1" -v l="$2" 'BEGIN { print (v != "n/a" && v <= l) ? "ok" : "MISSED" }'
}
page_verdict=$(verdict "$page_ms" "$limit_page_ms")
cpu_verdict=$(verdict "$daemon_cpu" "$limit_cpu")
rss_verdict=$(verdict "$daemon_rss" "$limit_rss_mb")
printf '%-38s %10s %10s %8s %7s\n' "Figure" "gloameryd" "gloamery" "Limit" ""
printf '%-38s %10s %10s %8s %7s\n' "Exec to the phone page, ms (median)" "$page_ms" "-" \
    "$limit_page_ms" "$page_verdict"
printf '%-38s %10s %10s %8s %7s\n' "CPU while idle, % of one core" "$daemon_cpu" "$desktop_cpu" \
    "$limit_cpu" "$cpu_verdict"
printf '%-38s %10s %10s %8s %7s\n' "Resident memory while idle, MB" "$daemon_rss" "$desktop_rss" \
    "$limit_rss_mb" "$rss_verdict"
echo "page, all $starts starts (ms): $page_runs; idle over $sample s"
[[ "$page_verdict $cpu_verdict $rss_verdict" != *MISSED* ]]
