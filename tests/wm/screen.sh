# SPDX-License-Identifier: GPL-3.0-or-later
# Finding the program's windows on the Xvfb screen and comparing crops of it; sourced by the
# checks in this folder, which set $work to their scratch folder.

# The visible window of the program with this size, or nothing.
window_sized() {
    local id
    for id in $(xdotool search --onlyvisible --class gloamery 2>/dev/null); do
        [[ "$(xdotool getwindowgeometry "$id" 2>/dev/null | awk '/Geometry/ {print $2}')" == "$1" ]] &&
            { echo "$id"; return; }
    done
}
wait_for_window() { # SIZE TENTHS
    local id
    for ((i = 0; i < $2; i++)); do
        id=$(window_sized "$1")
        [[ -n "$id" ]] && { echo "$id"; return; }
        sleep 0.1
    done
}
origin_of() {
    xdotool getwindowgeometry "$1" | awk -F'[ ,]+' '/Position/ {print $3, $4}'
}
# Where the window of SIZE stands, asked again if it goes while it is asked: the splash's
# stand-in has the splash's size and place, and gives way to the splash when that has painted.
origin_of_window_sized() { # SIZE TENTHS
    local id origin
    for ((i = 0; i < $2; i++)); do
        id=$(window_sized "$1")
        origin=$([[ -n "$id" ]] && origin_of "$id" 2>/dev/null)
        [[ -n "$origin" ]] && { echo "$origin"; return; }
        sleep 0.1
    done
}
# A crop of the screen, as a file name.
shot() { # NAME WIDTHxHEIGHT X Y
    import -window root -crop "$2+$3+$4" +repage "$work/$1.png"
    echo "$work/$1.png"
}
differ() { # two pictures: the number of differing pixels
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Opens the right-click menu at X Y and prints the place of the entry with this caption: the
# menu's entries go by what they are, not by their places. Needs run_inside_xvfb_accessible (or a
# bus and accessibility of its own). Fails, naming the captions found, when the entry is missing.
menu_entry_tool=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../tools/menu-entry.py")
menu_entry_place() { # X Y CAPTION
    local status
    for attempt in 1 2 3; do
        xdotool mousemove "$1" "$2" click 3
        "$menu_entry_tool" "$3" 3
        status=$?
        [[ $status -eq 2 ]] || return $status
        xdotool key Escape Escape
    done
    echo "no menu opened at $1,$2" >&2
    return 1
}
click_menu_entry() { # X Y CAPTION
    local place
    place=$(menu_entry_place "$@") || { xdotool key Escape; return 1; }
    xdotool mousemove $place click 1
}
# Waits until no window of the program has this size.
wait_for_no_window() { # SIZE TENTHS
    for ((i = 0; i < $2; i++)); do
        [[ -z "$(window_sized "$1")" ]] && return 0
        sleep 0.1
    done
    return 1
}
