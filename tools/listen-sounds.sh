#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Extracts all 120 sounds of the twelve libraries with gsn and lists each with its description,
# length and loudness, as a page with a player per sound, a playlist for any player, and a text
# table. With --play it also plays them in a row, printing each before it sounds, LISTEN_GAP
# seconds apart (1 unless set).
#
#   tools/listen-sounds.sh [--play] [SOUND_DIR] [OUT_DIR]
#
# SOUND_DIR defaults to build/bin/Res/Snd, OUT_DIR to build/listen. gsn is taken from $GSN, from
# beside the libraries' build, or from PATH.
set -euo pipefail

play=0
if [[ "${1:-}" == "--play" ]]; then
    play=1
    shift
fi
root=$(cd "$(dirname "$0")/.." && pwd)
sounds=${1:-$root/build/bin/Res/Snd}
out=${2:-$root/build/listen}

gsn=${GSN:-}
if [[ -z "$gsn" ]]; then
    if [[ -x "$sounds/../../gsn" ]]; then
        gsn=$sounds/../../gsn
    else
        gsn=$(command -v gsn || true)
    fi
fi
if [[ -z "$gsn" || ! -x "$gsn" ]]; then
    echo "listen-sounds: no gsn found; build it or set GSN" >&2
    exit 1
fi

specialty_name() {
    case $1 in
    0) echo "ghostly voices" ;;
    1) echo "doorman" ;;
    2) echo "electrician" ;;
    3) echo "plumber" ;;
    4) echo "postman" ;;
    5) echo "pedestrian" ;;
    esac
}

html_escape() {
    sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' <<<"$1"
}

mkdir -p "$out"
page=$out/index.html
playlist=$out/playlist.m3u
table=$out/sounds.txt
{
    echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>Gloamery sounds</title>'
    echo '<style>body{font-family:sans-serif}td{padding:2px 8px}</style></head><body>'
    echo '<h1>The 120 sounds of Gloamery</h1><table>'
    echo '<tr><th>Library</th><th>#</th><th>Description</th><th>Length</th><th>Loudness</th><th></th></tr>'
} >"$page"
echo '#EXTM3U' >"$playlist"
printf '%-8s %-3s %-36s %9s %11s\n' library '#' description length loudness >"$table"

count=0
for specialty in 0 1 2 3 4 5; do
    for kind in b m; do
        library=$specialty$kind
        file=$sounds/$library.gsn
        if [[ ! -f "$file" ]]; then
            echo "listen-sounds: $file is missing" >&2
            exit 1
        fi
        "$gsn" extract "$file" "$out/$library" >/dev/null
        length_word=$([[ $kind == b ]] && echo long || echo short)
        # gsn list: index, flags, size, format, duration "s", loudness, ident, description.
        "$gsn" list "$file" | tail -n +3 | while IFS= read -r line; do
            index=$(sed -E 's/^ *([0-9]+) .*/\1/' <<<"$line")
            seconds=$(sed -E 's/.* ([0-9]+\.[0-9]+) s .*/\1/' <<<"$line")
            loudness=$(sed -E 's/.* [0-9]+\.[0-9]+ s +(-?[0-9.inf]+ LUFS|-) .*/\1/' <<<"$line")
            description=$(sed -E 's/.* s +(-?[0-9.inf]+ LUFS|-) +[0-9]+  //' <<<"$line")
            wav=$library/$index.wav
            printf '%-8s %-3s %-36s %7s s %11s\n' "$library" "$index" "$description" "$seconds" \
                "$loudness" >>"$table"
            printf '#EXTINF:%.0f,%s %s: %s\n%s\n' "$seconds" "$library" "$index" "$description" \
                "$wav" >>"$playlist"
            printf '<tr><td>%s (%s, %s)</td><td>%s</td><td>%s</td><td>%s s</td><td>%s</td>' \
                "$library" "$(specialty_name "$specialty")" "$length_word" "$index" \
                "$(html_escape "$description")" "$seconds" "$loudness" >>"$page"
            printf '<td><audio controls preload="none" src="%s"></audio></td></tr>\n' "$wav" >>"$page"
        done
        count=$((count + $(find "$out/$library" -name '*.wav' | wc -l)))
    done
done
echo '</table></body></html>' >>"$page"

cat "$table"
echo "$count sounds in $out: open index.html, or play playlist.m3u in any player"

if [[ $play == 1 ]]; then
    player=$(command -v paplay || command -v aplay || command -v play || true)
    if [[ -z "$player" ]]; then
        echo "listen-sounds: no paplay, aplay or play to play with" >&2
        exit 1
    fi
    tail -n +2 "$table" | while IFS= read -r row; do
        library=$(awk '{print $1}' <<<"$row")
        index=$(awk '{print $2}' <<<"$row")
        echo "$row"
        "$player" "$out/$library/$index.wav"
        sleep "${LISTEN_GAP:-1}"
    done
fi
