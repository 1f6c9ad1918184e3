#!/usr/bin/env bash
# A rhythm tapped back in the real program in a real X window: a rhythm piece plays, the tap window
# counts in, the taps come at the onsets read from the piece's .mid (late by however long xdotool
# takes, which the marking takes off), and the grade proposed is confirmed: record.txt then holds
# the two points of "よくできた".
#   e2e_tap_rhythm.sh <program> <mid_onsets>
set -euo pipefail
program=$1
mid_onsets=$2
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

start_program "$program"
click 410 45 # リズム
xdotool windowfocus --sync "$window"
xdotool key F5
# While the piece plays the window takes no input; F3 opens the tap window once it has ended.
tap_window() {
    xdotool key F3
    tap=$(xdotool search --onlyvisible --name '^リズムをたたいて答える' 2>/dev/null | head -n 1 || true)
    [ -n "$tap" ]
}
wait_for 300 tap_window || fail "the tap window did not open after the rhythm"
piece=$(xdotool getwindowname "$tap" | sed -E 's/.*第([0-9]+)曲.*/\1/')
mapfile -t times < <("$mid_onsets" "$repository/data/risum$piece.mid")
beat=${times[0]}
onsets=("${times[@]:1}")
echo "rhythm $piece: beat $beat s, ${#onsets[@]} notes"

xdotool windowfocus --sync "$tap"
xdotool key space # 始める: two clicks a beat apart, each followed by its beat
sleep "$(echo "2 * $beat + 0.2" | bc)"
start=$(date +%s.%N)
for onset in "${onsets[@]}"; do
    wait=$(echo "$start + $onset - ${onsets[0]} - $(date +%s.%N)" | bc)
    [ "${wait:0:1}" = "-" ] || sleep "$wait"
    xdotool key space
done
xdotool key Return

# Confirm the proposal in the main window: the answer, then 得点確定 with the grade proposed.
xdotool windowfocus --sync "$window"
xdotool key F8
sleep 0.3
xdotool key F7
sleep 0.3
close_by_menu
line=$(head -n 1 record.txt 2>/dev/null || true)
[ "$line" = "$(date +%Y/%m/%d),0,0,0,0,0,0,2,0,0,0"$'\r' ] ||
    fail "the proposal was not よくできた: record.txt holds: $line"
echo "tapped at the onsets: よくできた proposed and confirmed"
