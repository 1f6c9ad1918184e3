#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Rhythms tapped back in the real program in a real X window. A tap window left open when the
# next question is asked closes with its question, so nothing of it is proposed to the next one.
# Then a rhythm plays, the tap window counts in, the taps come at the onsets read from the piece's
# .mid (late by however long xdotool takes, which the marking takes off), and the grade proposed
# is confirmed from the tap window with F8 and F7: record.txt then holds the two points of
# "よくできた", and the history holds the proposal with that question only.
#   e2e_tap_rhythm.sh <program> <mid_onsets>
set -euo pipefail
program=$1
mid_onsets=$2
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

start_program "$program"
click 410 45 # リズム
xdotool windowfocus --sync "$window"

tap_window_shown() {
    tap=$(xdotool search --onlyvisible --name '^リズムをたたいて答える' 2>/dev/null | head -n 1 || true)
    [ -n "$tap" ]
}
# While a piece plays the window takes no input; F3 opens the tap window once it has ended.
open_tap_window() {
    xdotool key F3
    tap_window_shown
}
new_question() {
    xdotool windowfocus --sync "$window"
    xdotool key F5
    wait_for 300 open_tap_window || fail "the tap window did not open after the rhythm"
}

new_question
left=$tap
new_question # the window of the first question closes, and a new one opens for this one
[ "$tap" != "$left" ] || fail "the first question's tap window stayed open"
xdotool search --onlyvisible --name '^リズムをたたいて答える' | grep -qx "$left" &&
    fail "the first question's tap window is still shown"
first=$(sqlite3 history.sqlite3 'SELECT count(*) FROM questions' 2>/dev/null || echo 0)
[ "$first" = 0 ] || fail "a question was kept before any was answered"

piece=$(xdotool getwindowname "$tap" | sed -E 's/.*第([0-9]+)曲.*/\1/')
mapfile -t times < <("$mid_onsets" "$repository/data/risum$piece.mid")
onsets=("${times[@]:1}")
echo "rhythm $piece: beat ${times[0]} s, ${#onsets[@]} notes"

# 始める: the first click sounds a quarter of a second later, the piece's time 0 with it; the
# keys are taken while the count-in sounds.
xdotool windowfocus --sync "$tap"
start=$(date +%s.%N)
xdotool key space
for onset in "${onsets[@]}"; do
    wait=$(echo "$start + 0.25 + $onset - $(date +%s.%N)" | bc)
    [ "${wait:0:1}" = "-" ] || sleep "$wait"
    xdotool key space
done
# Enter marks; then the answer, then 得点確定 with the grade proposed, from the tap window's keys.
# The window takes the keys in the order they come, and the menu's click after them.
xdotool key Return F8 F7
close_by_menu
line=$(head -n 1 record.txt 2>/dev/null || true)
[ "$line" = "$(date +%Y/%m/%d),0,0,0,0,0,0,2,0,0,0"$'\r' ] ||
    fail "the proposal was not よくできた: record.txt holds: $line"
kept=$(sqlite3 history.sqlite3 'SELECT piece, proposed_grade, given_count, points_right FROM questions')
[ "$kept" = "$piece|0|${#onsets[@]}|2" ] ||
    fail "the history holds: $kept (expected $piece|0|${#onsets[@]}|2)"
echo "the left window closed with its question; tapped at the onsets: よくできた proposed and confirmed"
