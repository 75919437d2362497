# SPDX-License-Identifier: GPL-3.0-or-later
# Finding the program's windows on the Xvfb screen and comparing crops of it; sourced by the
# checks in this folder, which set $work to their scratch folder.

# The visible window of the program with this size, or nothing.
window_sized() {
    local id
    for id in $(xdotool search --onlyvisible --class gloamery 2>/dev/null); do
        [[ "$(xdotool getwindowgeometry "$id" | awk '/Geometry/ {print $2}')" == "$1" ]] &&
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
# A crop of the screen, as a file name.
shot() { # NAME WIDTHxHEIGHT X Y
    import -window root -crop "$2+$3+$4" +repage "$work/$1.png"
    echo "$work/$1.png"
}
differ() { # two pictures: the number of differing pixels
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
