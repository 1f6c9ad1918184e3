#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program's resident memory after one question of every exercise. It is started under
# Xvfb in a scratch folder (holding a link to the pieces' folder), its embedded synthesiser writing
# everything it sounds to a WAV file; then, with mouse clicks as a learner would, each of the five
# exercise pages asks one question (and the first three are marked), each sound being given its
# full length to play. Its VmRSS is read after the last piece, and the program closed; the record
# it keeps shows whether the clicks reached it.
#
#   bench/memory/one_of_each.sh <program> [data folder]
#
# Prints one line: "memory after one question of every exercise: <MiB> MiB ...".
set -euo pipefail
program=$(realpath "$1")
data=$(realpath "${2:-$(dirname "$0")/../../data}")

if [ -z "${ONE_OF_EACH_INNER:-}" ]; then
    export ONE_OF_EACH_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$program" "$data"
fi

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
# Settings of its own, so that the program starts as on its very first run.
export XDG_CONFIG_HOME="$work/config"
ln -s "$data" data
MIMINOMI_AUDIO_DRIVER=file MIMINOMI_AUDIO_FILE="$work/sound.wav" "$program" 2>"$work/stderr" &
pid=$!

window=""
for _ in $(seq 1 200); do
    window=$(xdotool search --onlyvisible --name '^みみのみ$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window" >&2; cat "$work/stderr" >&2; exit 1; }
    sleep 0.05
done
[ -n "$window" ] || { echo "no window titled みみのみ appeared within 10 s" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$((HEIGHT - 475)) # the client area (794 x 475) lies below the menu bar

# Client-area coordinates: the tab captions' centres on the tab bar, "新規出題" and "採点".
tab_x=(62 186 318 410 478)
tab_y=45
next=(218 426)
check=(410 426)
# How long each page's question sounds, with room to spare: the reference A (2 s) where it is
# played, then one note of 1 s, a scale up and down in fifteen 1-s notes, a broken triad and the
# chord (4 s), a rhythm of 15 s, a melody of 15 s. The first sound also loads the SoundFont.
sound_s=(5 19 8 16.5 18.5)

click() {
    xdotool mousemove --window "$window" "$1" $(($2 + menu)) click 1
}

for page in 0 1 2 3 4; do
    click "${tab_x[$page]}" "$tab_y"
    sleep 0.5
    click "${next[@]}"
    sleep "${sound_s[$page]}"
    if [ "$page" -lt 3 ]; then
        click "${check[@]}" # no answer chosen: one wrong answer for this exercise
        sleep 0.5
    fi
done

rss_kib=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
kill -TERM "$pid"
for _ in $(seq 1 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
wait "$pid" 2>/dev/null || true
pid=""

# One wrong answer each for single notes, scales and chords shows that the tabs and buttons were hit.
note=""
if ! grep -q ',0,1,0,1,0,1,0,0,0,0' record.txt 2>/dev/null; then
    note=" (the clicks did not all reach the window: record $(tr -d '\r\n' <record.txt 2>/dev/null || echo missing))"
fi
wav_bytes=$(stat -c %s sound.wav 2>/dev/null || echo 0)
[ "$wav_bytes" -gt 1000000 ] || note="$note (no sound was written)"
awk -v kib="$rss_kib" -v note="$note" \
    'BEGIN { printf "memory after one question of every exercise: %.1f MiB   goal <= 80 MiB%s\n", kib / 1024, note }'
