#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built tree into a scratch DESTDIR (cmake --install: nothing is rebuilt), checks that
# every file a desktop needs is where it looks for it, then runs the installed English edition
# from there under Xvfb: it must find its pictures and sounds in the installed data folder (a
# quick panel's test sound reaches SDL's disk output) and end in order on SIGTERM, saving its
# settings.
# Usage: installed_program.sh BUILD_DIR   (exit 77: a tool is missing, the check is skipped)
set -uo pipefail

build=$(realpath "${1:?usage: $0 BUILD_DIR}")
source "$(dirname "$0")/../support/inside_xvfb.sh"
require_tools xvfb-run xdotool xprop import convert identify sqlite3
run_inside_xvfb GLOAMERY_INSTALL_INSIDE "$0" "$@"

source "$(dirname "$0")/scratch.sh"
scratch_keeping_manifest "$build"
root="$work/root"

if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

# The files, by where a desktop or the program looks for them.
expected=(
    usr/bin/gloamery usr/bin/gloamery-ru usr/bin/gloameryd usr/bin/gsn usr/bin/gloamery-board
    usr/share/gloamery/Res/Img/Skin.png usr/share/gloamery/Res/Img/BitmapList_Btn/index.txt
    usr/share/gloamery/Res/Snd/0b.gsn usr/share/gloamery/Res/Snd/5m.gsn
    usr/share/gloamery/Help_e.txt usr/share/gloamery/Help_r.txt
    usr/share/gloamery/ProgramPage_e.html usr/share/gloamery/page.css
    usr/share/applications/gloamery.desktop usr/share/applications/gloamery-ru.desktop
    usr/share/metainfo/org.brannoch.gloamery.metainfo.xml
    usr/share/man/man6/gloamery.6.gz usr/share/man/man6/gloamery-ru.6.gz
    usr/share/man/man1/gsn.1.gz usr/share/man/man1/gloamery-board.1.gz
    usr/share/doc/gloamery/copyright usr/share/doc/gloamery/changelog.gz
    usr/lib/udev/rules.d/70-gloamery-boards.rules
    usr/lib/systemd/user/gloameryd.service usr/lib/systemd/system/gloameryd.service
)
for file in "${expected[@]}"; do
    [[ -f "$root/$file" ]] || fail "$file is not installed"
done
# The sound player, a module the program loads at its first sound from its own library folder.
compgen -G "$root/usr/lib/*/gloamery/libgloamery_sdl_player.so" >/dev/null ||
    compgen -G "$root/usr/lib/gloamery/libgloamery_sdl_player.so" >/dev/null ||
    fail "the sound player module is not installed"
for size in 16 24 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/gloamery.png"
    [[ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" == "${size}x${size}" ]] ||
        fail "no ${size}x${size} icon at $icon"
done
# Only the executables go to bin/; the run-time files live in the data folder.
extra=$(ls "$root/usr/bin" | grep -vxE 'gloamery|gloamery-ru|gloameryd|gsn|gloamery-board')
[[ -z "$extra" ]] || fail "more than the executables in bin/: $extra"
zcat "$root/usr/share/man/man6/gloamery-ru.6.gz" 2>/dev/null | grep -q '^\.SH NAME' ||
    fail "gloamery-ru(6) does not read as a manual page"
# Each menu entry starts an installed edition and names an installed icon.
for edition in gloamery gloamery-ru; do
    entry="$root/usr/share/applications/$edition.desktop"
    grep -qx "Exec=$edition" "$entry" || fail "$edition.desktop does not start $edition"
    grep -qx "Icon=gloamery" "$entry" || fail "$edition.desktop does not name the gloamery icon"
done

export GLOAMERY_SETTINGS="$work/settings.db" XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
# No session bus: with none in the environment Qt would have dbus-launch start one for the
# display, and what that connection leaves at the end depends on the machine.
export DBUS_SESSION_BUS_ADDRESS=disabled:
source "$(dirname "$0")/../wm/screen.sh"
# Run from a folder without run-time files, so nothing is found by accident.
cd "$work"

start_program() {
    "$root/usr/bin/gloamery" >>"$work/program.log" 2>&1 &
    program=$!
    window=$(wait_for_window 800x600 100)
    [[ -n "$window" ]] || fail "the installed program showed no main window"
    sleep 0.5
}
stop_program() { # LABEL
    kill -TERM "$program"
    wait "$program"
    local status=$?
    [[ $status -eq 0 ]] || fail "$1: ended with status $status on SIGTERM"
}
stored() { # VALUE NAME
    sqlite3 "$GLOAMERY_SETTINGS" "SELECT data FROM settings WHERE name = '$1'" 2>/dev/null
}
# Sample bytes other than silence in the disk output so far.
sound_bytes() {
    [[ -f "$SDL_DISKAUDIOFILE" ]] || { echo 0; return; }
    tr -d '\0' <"$SDL_DISKAUDIOFILE" | wc -c
}

# The first start uses up the presentation; its orderly end writes the settings.
start_program
stop_program "first start"
[[ "$(stored Premier)" == "0" ]] || fail "the first start's end did not save Premier = 0"
[[ "$(stored Attraction_Time)" == "3" ]] || fail "the settings dialog's values were not saved"

start_program
# The skin and the ghosts are drawn: a window without its pictures has a handful of colours.
colours=$(import -window root -crop 800x600+112+10 png:- | convert png:- -format %k info:)
[[ "$colours" -gt 1000 ]] || fail "the main window shows $colours colours: pictures missing?"
# The icon's first pixels are enough to tell it is there.
icon=$(xprop -id "$window" -len 16 _NET_WM_ICON 2>/dev/null)
[[ "$icon" == '_NET_WM_ICON(CARDINAL)'* ]] || fail "the main window carries no icon"
class=$(xprop -id "$window" WM_CLASS 2>/dev/null)
[[ "$class" == *'"gloamery"'* ]] ||
    fail "WM_CLASS $class does not match StartupWMClass=gloamery of the menu entry"
before=$(sound_bytes)
# Ghost 1's quick panel opens under the pointer; its "Test" plays the sample sound.
xdotool mousemove 240 230
sleep 0.5
xdotool mousemove 258 272 click 1
sleep 2
after=$(sound_bytes)
echo "disk output: $before sound bytes before the test click, $after after"
[[ "$before" -eq 0 ]] || fail "sound before the test click"
[[ "$after" -gt 10000 ]] || fail "the test sound did not reach the disk output"
stop_program "second start"

grep -qE 'cannot read picture|image list|Sound library|\.gsn' "$work/program.log" &&
    fail "the program could not find its files"
if [[ $failures -gt 0 ]]; then
    echo "the program's output:"
    sed 's/^/  /' "$work/program.log"
fi
exit $((failures > 0))
