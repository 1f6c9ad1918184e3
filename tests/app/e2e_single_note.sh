#!/usr/bin/env bash
# A learner's single-note question from end to end, in the real program in a real X window:
# ask with the mouse, listen (read the note's pitch from the WAV the program records), choose
# the note's name and octave with the keyboard, mark it, close the program through its menu,
# and find the answer kept in history.sqlite3 at once and the run in record.txt as one right
# single note.
#   e2e_single_note.sh <program> <wav_pitch>
set -euo pipefail
program=$1
wav_pitch=$2
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

start_program "$program"
click 218 426 # 新規出題 (176, 384, 85 × 85)

# The question is the reference A for 2 s, then one note for 1 s.
wait_for 150 recorded 40 || fail "the program did not record the question"
note=$("$wav_pitch" sound.wav 2.1 2.7) || fail "no note could be heard in the recording"
name=$((note % 12 + 1))
octave=$((note / 12 + 1))
echo "heard MIDI note $note: name item $name, octave item $octave"

# The answer boxes of the first note lie on the first page, at (112, 160) and (112, 186) within
# the page, which sits at (12, 57) in the client area. After a question both show item 0.
click 200 228
xdotool key --repeat "$name" --delay 30 Down
click 200 254
xdotool key --repeat "$octave" --delay 30 Down
unmarked=$(mark_area)
click 410 426 # 採点 (368, 384, 85 × 85)
wait_for 50 mark_changed_from "$unmarked" || fail "no mark appeared after 採点"

# The marking is in the history while the program still runs.
kept=$(sqlite3 history.sqlite3 "SELECT asked_note, chosen_name, chosen_octave, right FROM answers")
[ "$kept" = "$note|$((note % 12))|$((note / 12))|1" ] || fail "history.sqlite3 holds: $kept"

close_by_menu

[ -f record.txt ] || fail "no record.txt was written"
line=$(head -n 1 record.txt)
today=$(date +%Y/%m/%d)
[ "$line" = "$today,1,0,0,0,0,0,0,0,0,0"$'\r' ] || fail "record.txt holds: $(od -c record.txt | head -3)"
echo "record.txt: one right single note"
