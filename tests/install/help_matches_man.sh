#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages and the tools' --help name the same options and commands: a change to one
# that forgets the other fails here.
# Usage: help_matches_man.sh BIN_DIR MAN_DIR
set -uo pipefail

bin=${1:?usage: $0 BIN_DIR MAN_DIR}
man=${2:?usage: $0 BIN_DIR MAN_DIR}
failures=0

# Long options anywhere in a text; roff writes a hyphen as \-.
long_options() {
    sed 's/\\-/-/g' | grep -oE -- '--[a-z][a-z-]*' | sort -u
}
# The first word of each tagged paragraph (.TP, then .B/.BI/.BR WORD) in one section of a page.
man_section_words() { # PAGE SECTION
    awk -v section="$2" '
        /^\.SH/ { inside = ($2 == section); next }
        inside && /^\.TP/ { tag = 1; next }
        inside && tag && /^\.B[IR]? / { print $2; tag = 0; next }
        { tag = 0 }' "$1" | tr -d '"' | sed 's/\\-/-/g' | sort -u
}
compare() { # WHAT HELP_LIST MAN_LIST
    if [[ "$2" != "$3" ]]; then
        echo "FAIL: $1 differ"
        diff <(echo "$2") <(echo "$3") | sed 's/^</  help:/; s/^>/  man: /' | grep -E 'help:|man:'
        failures=$((failures + 1))
    else
        echo "ok: $1 ($(echo "$2" | tr '\n' ' '))"
    fi
}

gsn_help=$("$bin/gsn" --help) || { echo "FAIL: gsn --help exits with $?"; exit 1; }
board_help=$("$bin/gloamery-board" --help) ||
    { echo "FAIL: gloamery-board --help exits with $?"; exit 1; }

compare "gsn options" "$(long_options <<<"$gsn_help")" "$(long_options <"$man/gsn.1")"
compare "gsn commands" \
    "$(grep -oE '^(usage: | +)gsn [a-z]+' <<<"$gsn_help" | awk '{print $NF}' | sort -u)" \
    "$(man_section_words "$man/gsn.1" COMMANDS)"

compare "gloamery-board options" "$(long_options <<<"$board_help")" \
    "$(long_options <"$man/gloamery-board.1")"
compare "gloamery-board commands" \
    "$(awk '/^Commands/ { inside = 1; next } inside && /^$/ { exit }
            inside && /^  [a-z]/ { print $1 }' <<<"$board_help" | sort -u)" \
    "$(man_section_words "$man/gloamery-board.1" COMMANDS)"

# Both editions answer --help and --version at once, with no display and no settings touched; a
# run of the program would end with 1 here (no display), so exit 0 shows it never started.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
without_display() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        GLOAMERY_SETTINGS="$scratch/settings.db" XDG_CONFIG_HOME="$scratch" "$@"
}
for edition in gloamery gloamery-ru; do
    help=$(without_display "$bin/$edition" --help) ||
        { echo "FAIL: $edition --help exits with $?"; failures=$((failures + 1)); }
    version=$(without_display "$bin/$edition" --version) ||
        { echo "FAIL: $edition --version exits with $?"; failures=$((failures + 1)); }
    [[ "$version" =~ ^$edition\ [0-9]+\.[0-9]+\.[0-9]+$ ]] ||
        { echo "FAIL: $edition --version says '$version'"; failures=$((failures + 1)); }
    without_display "$bin/$edition" --hlep >/dev/null 2>"$scratch/refused"
    status=$?
    [[ $status -eq 2 && "$(cat "$scratch/refused")" == *"--help"* ]] ||
        { echo "FAIL: $edition --hlep exits with $status"; failures=$((failures + 1)); }
    compare "$edition options" "$(long_options <<<"$help")" "$(long_options <"$man/gloamery.6")"
    compare "$edition environment" \
        "$(grep -oE '^  [A-Z][A-Z_]+ ' <<<"$help" | tr -d ' ' | sort -u)" \
        "$(man_section_words "$man/gloamery.6" ENVIRONMENT)"
done
leftovers=$(find "$scratch" -mindepth 1 ! -name refused)
[[ -z "$leftovers" ]] || { echo "FAIL: --help left files: $leftovers"; failures=$((failures + 1)); }

# Every option the manual lists under OPTIONS is one the help names too (the check above covers
# the options named anywhere); the lists must not be empty, or the parsing broke.
for page in gsn.1 gloamery-board.1; do
    [[ -n "$(man_section_words "$man/$page" OPTIONS)" ]] ||
        { echo "FAIL: no options read from $page"; failures=$((failures + 1)); }
done

exit $((failures > 0))
