#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How long the UI thread stalls during a busy evening: the real English edition under Xvfb with
# two simulated boards (the second silent), the attraction running, and every 2 s a network
# client's "make a ghost act now", a doorbell press and a management page request. The program's
# loop probe (GLOAMERY_LOOP_PROBE: a 5 ms timer, from 10 s after start until the end) reports the
# longest stall and how many passed 16 ms and 50 ms, and the resident memory at the end.
# Usage: bench/ui-stalls.sh [BUILD_DIR] [SECONDS]   (defaults: build 60)
set -uo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build}")
seconds=${2:-60}
for file in "$build/bin/gloamery" "$build/bin/gloamery-board"; do
    [[ -x "$file" ]] || { echo "missing $file" >&2; exit 2; }
done
for tool in Xvfb sqlite3 curl python3; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'exec 3>&- 4>&-; kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb GLOAMERY_SETTINGS="$work/settings.db"
export DBUS_SESSION_BUS_ADDRESS=disabled:
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY=$display
sleep 1

# A first start writes every setting; then ghost 1 becomes a postman listening to the doorbell,
# the network server listens from the start with Client_1 allowed commands 1 and 3, and the web
# server starts with a user who may sign in.
"$build/bin/gloamery" >/dev/null 2>&1 & program=$!
sleep 6
kill -TERM $program && wait $program
python3 - "$GLOAMERY_SETTINGS" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
def put(name, value):
    if db.execute("UPDATE key_values SET data = ? WHERE name = ?", (value, name)).rowcount != 1:
        sys.exit(f"ui-stalls: no stored value {name}")
for name, value in [("Ghost_1_ON", 1), ("Ghost_1_Regime", 1), ("Ghost_1_Special", 4),
                    ("Ghost_1_Special_Dop_1", 1), ("AutoSocket", 1), ("Web_Autoconnect", 1),
                    ("User_OK", 1), ("User_Pass", "stallbench1")]:
    put(name, value)
record = bytearray(db.execute("SELECT data FROM key_values WHERE name = 'UserData0'").fetchone()[0])
record[512] = record[514] = 1  # rights to commands 1 and 3
put("UserData0", bytes(record))
db.commit()
PY
password=$(python3 -c "
import sqlite3, sys
d = bytes(sqlite3.connect(sys.argv[1]).execute(\"SELECT data FROM key_values WHERE name = 'UserData0'\").fetchone()[0])
print(d[257:257 + d[256]].decode('cp1251'))" "$GLOAMERY_SETTINGS")

mkfifo "$work/board1" "$work/board2"
"$build/bin/gloamery-board" --pid 1 --dir "$work/boards" <"$work/board1" >/dev/null 2>&1 &
"$build/bin/gloamery-board" --pid 2 --dir "$work/boards" <"$work/board2" >/dev/null 2>&1 &
exec 3>"$work/board1" 4>"$work/board2"
echo "silent on" >&4
sleep 0.5

GLOAMERY_BOARDS="sim:$work/boards" GLOAMERY_LOOP_PROBE="$work/probe.txt" \
    "$build/bin/gloamery" >"$work/program.log" 2>&1 & program=$!
sleep 11
client() { timeout 10 python3 tools/net-client.py Client_1 "$password" --send "$1" >/dev/null; }
client 'ExecCommand|1' || echo "ui-stalls: the attraction did not start" >&2

acts=0 pages=0
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
    client 'ExecCommand|3' && acts=$((acts + 1))
    echo "press 7 300" >&3
    curl -s -o /dev/null -u user:stallbench1 "http://127.0.0.1:8012/manage" && pages=$((pages + 1))
    sleep 2
done

# Resident memory once the evening's acts have played: the sounds of one library stay decoded.
rss=$(awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$program/status")
kill -TERM $program && wait $program
echo "ui-stalls over ${seconds} s: $acts network acts, $pages page requests, a doorbell press each 2 s"
echo "resident memory after the acts: $rss MB"
cat "$work/probe.txt" 2>/dev/null || { echo "ui-stalls: no probe report" >&2; exit 1; }
