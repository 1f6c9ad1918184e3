#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Today's review in the real program in a real X window, with the keyboard only: three single
# notes left unanswered and marked wrong, moved back a day in the history with the sqlite3 shell;
# the program started again, Ctrl+F9 opens "今日の復習", Enter starts it, each note is answered by
# its letter and octave and Enter marks it and goes on; the first is answered wrong and comes
# back at the end of the round. The history then holds the review answers, marked as reviews,
# and record.txt is as the first run left it.
#   e2e_review.sh <program>
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

tenth=$((44100 * 4 / 10))
recorded_tenths() {
    local size
    size=$(stat -c %s sound.wav 2>/dev/null || echo 44)
    echo $(((size - 44) / tenth))
}
# Waits until a note of a second has sounded since tenth $1, and the window takes keys again.
sounded() { wait_for 200 recorded $(($1 + 20)) || fail "nothing was recorded after tenth $1"; }
count() { sqlite3 history.sqlite3 "$1" 2>/dev/null; }
kept() { [ -f history.sqlite3 ] && [ "$(count "SELECT count(*) FROM answers WHERE $1")" = "$2" ]; }
review_shown() { xdotool search --onlyvisible --name '^今日の復習$' >/dev/null 2>&1; }
# The keys of a note number: its letter, a sharp, the octave counted from middle C's 4.
keys_of() {
    local letters=(C C D D E F F G G A A B) sharps=(0 1 0 1 0 0 1 0 1 0 1 0)
    local keys=${letters[$(($1 % 12))]}
    [ "${sharps[$(($1 % 12))]}" = 1 ] && keys="$keys numbersign"
    echo "$keys $(($1 / 12 - 1))"
}

# The first run: three notes asked with the reference A off and marked with nothing chosen.
start_program "$program"
xdotool windowfocus --sync "$window"
xdotool key --delay 50 space
for n in 1 2 3; do
    start=$(recorded_tenths)
    xdotool key F5
    sounded "$start"
    xdotool key F7
    wait_for 50 kept "right = 0" "$n" || fail "the wrong answer $n was not kept"
done
xdotool key alt+f
wait_for 50 menu_open || fail "Alt+F did not open the menu"
xdotool key x
program_ends "the close request"
record=$(md5sum record.txt)

# Missed yesterday.
sqlite3 history.sqlite3 "UPDATE questions SET day = day - 1, at = at - 86400;
    UPDATE answers SET day = day - 1, at = at - 86400;"
# The round: each note missed once, in the order missed.
mapfile -t due < <(count "SELECT asked_note FROM answers GROUP BY asked_note
    ORDER BY max(at), asked_note")
echo "due: ${due[*]}"

# Started as start_program does, keeping record.txt.
rm -f sound.wav
set -m
MIMINOMI_AUDIO_DRIVER=file MIMINOMI_AUDIO_FILE="$PWD/sound.wav" "$program" 2>"$work/stderr" &
pid=$!
set +m
wait_for 100 window_shown || fail "no window titled みみのみ appeared within 10 s"
xdotool windowfocus --sync "$window"
xdotool key ctrl+F9
wait_for 50 review_shown || fail "Ctrl+F9 did not open the review window"
review=$(xdotool search --onlyvisible --name '^今日の復習$' | head -n 1)
xdotool windowfocus --sync "$review"
# The first note answered a semitone off, then the others right, then the first again.
wrong=$((due[0] % 12 == 11 ? due[0] - 1 : due[0] + 1))
answers=("$wrong" "${due[@]:1}" "${due[0]}")
n=0
for note in "${answers[@]}"; do
    start=$(recorded_tenths)
    xdotool key Return
    sounded "$start"
    # shellcheck disable=SC2046 # one key a word
    xdotool key --delay 100 $(keys_of "$note") Return
    n=$((n + 1))
    wait_for 50 kept "review = 1" "$n" || fail "review answer $n was not kept"
done
[ "$(count "SELECT count(*) FROM answers WHERE review = 1 AND right = 1")" = $((n - 1)) ] ||
    fail "the review answers were not marked as answered: $(count "SELECT asked_note, chosen_name,
        chosen_octave, right FROM answers WHERE review = 1")"
[ "$(count "SELECT count(*) FROM questions WHERE review = 1")" = "$n" ] ||
    fail "the review questions are not kept as reviews"
echo "review round answered by keys: $n answers kept as reviews, $((n - 1)) right"

xdotool key Return Escape
wait_for 50 bash -c '! xdotool search --onlyvisible --name "^今日の復習$" >/dev/null' ||
    fail "Escape did not close the review window"
xdotool windowfocus --sync "$window"
xdotool key alt+f
wait_for 50 menu_open || fail "Alt+F did not open the menu"
xdotool key x
program_ends "the close request"
[ "$(md5sum record.txt)" = "$record" ] || fail "record.txt changed with the review"
echo "record.txt unchanged"
