#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# An exam dictation item written in the real program in a real X window, as a learner writes it
# while it plays: the item of the entrance-exam level 7 and seed 15 (2/4, ties, rests and
# accidentals, no upbeat) written by the command-line mode, the window
# opened on it (Ctrl+F3) with 5-second pauses, started with Space, its notes written with the
# keys taken from its MusicXML, marked with Ctrl+Enter: 100. Then the same item with the first
# note of bar 2 a semitone too high: the deduction of half that note's share of its bar. The
# history holds both.
#   e2e_exam_dictation.sh <program>
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

level=7
seed=15
"$program" --write-dictation $level 1 items $seed >/dev/null
mkdir -p "$XDG_CONFIG_HOME/miminomi"
printf '[exam]\nlevel=%s\npause=5\nfinal=10\nschedule=0\nmode=0\n' $level \
    >"$XDG_CONFIG_HOME/miminomi/miminomi.conf"
export MIMINOMI_EXAM_ITEM=$level:$seed

# The keys that write the item after its given first note, as xdotool names them, the note
# numbered $1 (from 0, the given one not counted) a semitone too high; then the score that wrong
# note leaves, on the last line.
keys_of() {
    python3 - "$1" items/001.musicxml <<'PYTHON'
import sys, xml.etree.ElementTree as tree
wrong, path = int(sys.argv[1]), sys.argv[2]
score = tree.parse(path).getroot()
fifths = int(score.find('.//key/fifths').text)
order = 'FCGDAEB'
def signature(step):
    k = order.index(step)
    return 1 if fifths > k else -1 if fifths < 0 and -fifths >= 7 - k else 0
steps = 'CDEFGAB'
types = {'whole': '7', 'half': '6', 'quarter': '5', 'eighth': '4', '16th': '3'}
keys, value, previous, count, first, wrong_bar = [], None, (6, 4), -1, True, 0
bars = score.findall('.//measure')
notes_in_bar = []
for number, bar in enumerate(bars):
    struck = 0
    for note in bar.findall('note'):
        rest = note.find('rest') is not None
        tie_stop = note.find("tie[@type='stop']") is not None
        struck += 0 if rest or tie_stop else 1
        pitch = None if rest else (steps.index(note.find('pitch/step').text),
                                   int(note.findtext('pitch/alter', '0')),
                                   int(note.find('pitch/octave').text))
        if first:
            first = False
            previous = pitch[:1] + pitch[2:]
            continue
        count += 1
        this = (types[note.find('type').text], note.find('dot') is not None)
        if this != value:
            keys += [this[0]] + (['period'] if this[1] else [])
            value = this
        if tie_stop:
            keys.append('plus')
        elif rest:
            keys.append('0')
        else:
            step, alter, octave = pitch
            keys.append(steps[step].lower())
            # The octave nearest the note before, at most a fourth away.
            up = (step - previous[0]) % 7
            at = previous[1] * 7 + previous[0] + (up if up <= 3 else up - 7)
            written_octave = at // 7
            given = signature(steps[step])
            keys += ['numbersign'] * max(0, alter - given) + ['minus'] * max(0, given - alter)
            keys += ['ctrl+Up'] * max(0, octave - written_octave)
            keys += ['ctrl+Down'] * max(0, written_octave - octave)
            if count == wrong:
                keys.append('Up')
                wrong_bar = number
            previous = (step, octave)
    notes_in_bar.append(struck)
print(' '.join(keys))
lost = 100 / len(bars) / notes_in_bar[wrong_bar] / 2 if wrong >= 0 else 0
print(int(100 - lost + 0.5))
PYTHON
}

exams_kept() {
    [ -f history.sqlite3 ] &&
        [ "$(sqlite3 history.sqlite3 "SELECT count(*) FROM exams" 2>/dev/null)" = "$1" ]
}
exam_window() {
    exam=$(xdotool search --onlyvisible --name "^聴音 レベル $level ・ 第 $seed 問\$" 2>/dev/null |
        head -n 1 || true)
    [ -n "$exam" ]
}

# Writes the keys $1 into a newly opened exam window while the item plays, and marks.
write_item() {
    xdotool windowfocus --sync "$window"
    xdotool key ctrl+F3
    wait_for 100 exam_window || fail "Ctrl+F3 opened no window titled 聴音 レベル $level ・ 第 $seed 問"
    xdotool windowfocus --sync "$exam"
    xdotool key space
    # shellcheck disable=SC2086
    xdotool key --delay 20 $1
    xdotool key ctrl+Return
}

# The first note of bar 2: the notes of bar 1 after the given one come first.
bar1=$(python3 -c "import xml.etree.ElementTree as t; print(len(t.parse('items/001.musicxml').getroot().find('.//measure').findall('note')) - 1)")
mapfile -t right < <(keys_of -1)
mapfile -t wrong < <(keys_of "$bar1")

start_program "$program"
write_item "${right[0]}"
wait_for 100 exams_kept 1 || fail "no exam was kept after Ctrl+Enter"
first=$(sqlite3 history.sqlite3 "SELECT level, seed, score FROM exams ORDER BY id LIMIT 1")
[ "$first" = "$level|$seed|100" ] || fail "written as the item is, kept as: $first"
echo "item of level $level, seed $seed written with its keys: 100"

xdotool windowfocus --sync "$exam"
xdotool key Escape
wait_for 50 bash -c "! xdotool search --onlyvisible --name '^聴音 ' >/dev/null 2>&1" ||
    fail "Escape did not close the exam window"
write_item "${wrong[0]}"
wait_for 100 exams_kept 2 || fail "no second exam was kept"
second=$(sqlite3 history.sqlite3 "SELECT score FROM exams ORDER BY id DESC LIMIT 1")
errors=$(sqlite3 history.sqlite3 "SELECT kind, bar FROM exam_errors
    WHERE exam = (SELECT max(id) FROM exams)")
[ "$second" = "${wrong[1]}" ] || fail "one pitch wrong in bar 2 scored $second, not ${wrong[1]}"
[ "$errors" = "0|2" ] || fail "the errors kept: $errors"
echo "the same item with one pitch a semitone high in bar 2: $second, one pitch error kept"

xdotool windowfocus --sync "$exam"
xdotool key Escape
wait_for 50 bash -c "! xdotool search --onlyvisible --name '^聴音 ' >/dev/null 2>&1" ||
    fail "Escape did not close the exam window"
close_by_menu
