#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A scale and a chord question answered with the keyboard only, in the real program in a real X
# window: Space turns the reference A off, Tab and Right reach the scale page, F5 asks, the root's
# letter and the type's first key ("D", "m") answer, F7 marks; the history, kept at once, holds
# the items the keys chose, marked. The wrong scale is heard against the question with F9 and
# stopped with Escape: the recording is silent where the chosen scale would have sounded. Then
# Ctrl+Tab, F5, "F#m7" and F7 answer a chord the same way.
#   e2e_keys_scale_chord.sh <program>
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

# Tenths of a second of 16-bit stereo at 44.1 kHz, in bytes.
tenth=$((44100 * 4 / 10))
# How many tenths of a second the recording holds so far.
recorded_tenths() {
    local size
    size=$(stat -c %s sound.wav 2>/dev/null || echo 44)
    echo $(((size - 44) / tenth))
}
# The loudest sample of the recording from tenth $1 to tenth $2.
peak() {
    dd if=sound.wav iflag=skip_bytes,count_bytes skip=$((44 + $1 * tenth)) \
        count=$((($2 - $1) * tenth)) status=none |
        od -An -v -td2 -w2 | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}
# True once history.sqlite3 holds $1 answers.
answers_kept() {
    [ -f history.sqlite3 ] &&
        [ "$(sqlite3 history.sqlite3 "SELECT count(*) FROM answers" 2>/dev/null)" = "$1" ]
}
# The last answer kept: exercise, chosen name and type, right, and whether that is what was asked.
last_answer() {
    sqlite3 -separator ' ' history.sqlite3 "SELECT exercise, chosen_name, chosen_type, right,
        asked_note % 12 = chosen_name AND asked_type = chosen_type
        FROM answers ORDER BY question DESC LIMIT 1"
}

start_program "$program"
# From here on the keyboard only: no click. The reference-A box has the focus a window starts with.
xdotool windowfocus --sync "$window"
xdotool key --delay 50 space Tab Right

# A scale of seven notes sounds up and down, 15 notes of a second; the window takes keys after.
# Answered "D" "m" (ニ, 自然的短音階) and marked; asked again until that is wrong, to be compared.
kept=0
for _ in 1 2 3; do
    start=$(recorded_tenths)
    xdotool key F5
    wait_for 300 recorded $((start + 160)) || fail "the program did not record the scale"
    xdotool key --delay 50 D m F7
    kept=$((kept + 1))
    wait_for 50 answers_kept "$kept" || fail "no answer was kept after F7"
    read -r exercise name kind right same < <(last_answer)
    [ "$exercise $name $kind" = "1 2 1" ] || fail "the keys chose: $exercise $name $kind"
    [ "$right" = "$same" ] || fail "marked $right where the keys name the question: $same"
    [ "$right" = 0 ] && break
done
[ "$right" = 0 ] || fail "three scales answered right by chance"
echo "scale answered by keys: ニ 自然的短音階, marked wrong"

# F9 sounds the question, a pause, then the chosen scale; Escape in the question's second note.
start=$(recorded_tenths)
xdotool key F9
wait_for 50 recorded $((start + 15)) || fail "the comparison did not sound"
xdotool key Escape
wait_for 300 recorded $((start + 172)) || fail "the recording stopped"
question=$(peak $((start + 2)) $((start + 8)))
unsounded=$(peak $((start + 160)) $((start + 168)))
echo "peak of the question's first note: $question; where the chosen scale would sound: $unsounded"
[ "$unsounded" -lt $((question / 20)) ] || fail "the comparison went on after Escape"

# Ctrl+Tab: the chord page. Three notes broken, then together for a second.
xdotool key ctrl+Tab
start=$(recorded_tenths)
xdotool key F5
wait_for 150 recorded $((start + 50)) || fail "the program did not record the chord"
xdotool key --delay 50 F numbersign m 7 F7
wait_for 50 answers_kept $((kept + 1)) || fail "no chord answer was kept after F7"
read -r exercise name kind right same < <(last_answer)
[ "$exercise $name $kind" = "2 6 3" ] || fail "the keys chose: $exercise $name $kind"
[ "$right" = "$same" ] || fail "marked $right where the keys name the question: $same"
echo "chord answered by keys: 嬰ヘ m7, marked"

xdotool key alt+f
wait_for 50 menu_open || fail "Alt+F did not open the menu"
xdotool key x
program_ends "the close request"
