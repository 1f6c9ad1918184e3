#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A learner's single-note question from end to end, in the real program in a real X window, with
# the keyboard only: ask with F5, listen (read the note's pitch from the WAV the program records),
# type the note's name and octave, mark it with Enter, close the program through its menu (Alt+F),
# and find the answer kept in history.sqlite3 at once and the run in record.txt as one right
# single note.
#   e2e_single_note.sh <program> <wav_pitch>
set -euo pipefail
program=$1
wav_pitch=$2
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

start_program "$program"
# From here on the keyboard only: no click.
xdotool windowfocus --sync "$window"
unmarked=$(mark_area)
xdotool key F5 # 新規出題

# The question is the reference A for 2 s, then one note for 1 s.
wait_for 150 recorded 40 || fail "the program did not record the question"
note=$("$wav_pitch" sound.wav 2.1 2.7) || fail "no note could be heard in the recording"
# The first name box has the focus: the note's letter (the letter below and # for a sharp), then
# the octave counted from middle C's 4, which moves the focus on to 採点; Enter presses it.
letters=(c c d d e f f g g a a b)
keys=("${letters[$((note % 12))]}")
case $((note % 12)) in 1 | 3 | 6 | 8 | 10) keys+=(numbersign) ;; esac
keys+=("$((note / 12 - 1))" Return)
echo "heard MIDI note $note: keys ${keys[*]}"
xdotool key --delay 50 "${keys[@]}"
wait_for 50 mark_changed_from "$unmarked" || fail "no mark appeared after 採点"

# The marking is in the history while the program still runs.
kept=$(sqlite3 history.sqlite3 "SELECT asked_note, chosen_name, chosen_octave, right FROM answers")
[ "$kept" = "$note|$((note % 12))|$((note / 12))|1" ] || fail "history.sqlite3 holds: $kept"

# Alt+F opens "ファイル", x its "終了(&X)".
xdotool key alt+f
wait_for 50 menu_open || fail "Alt+F did not open the menu"
xdotool key x
program_ends "the close request"

[ -f record.txt ] || fail "no record.txt was written"
line=$(head -n 1 record.txt)
today=$(date +%Y/%m/%d)
[ "$line" = "$today,1,0,0,0,0,0,0,0,0,0"$'\r' ] || fail "record.txt holds: $(od -c record.txt | head -3)"
echo "record.txt: one right single note"
