# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the figures scripts: what one running process costs, read from /proc. The caller
# sets `sample`, the seconds an idle measure lasts.

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { # PID: user + system ticks so far
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
rss_mb() { # PID
    awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"
}
# Percent of one core used by PID over `sample` seconds; three decimals, as a limit of 0.1 %
# needs them.
idle_cpu() {
    local before after
    before=$(cpu_ticks "$1")
    sleep "$sample"
    after=$(cpu_ticks "$1")
    awk -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$sample" \
        'BEGIN { printf "%.3f", 100 * t / hz / s }'
}
