#!/usr/bin/env bash
# A learner's single-note question from end to end, in the real program in a real X window:
# ask with the mouse, listen (read the note's pitch from the WAV the program records), choose
# the note's name and octave with the keyboard, mark it, close the program through its menu,
# and find the run kept in record.txt as one right single note.
#   e2e_single_note.sh <program> <wav_pitch>
set -euo pipefail
program=$1
wav_pitch=$2

if [ -z "${SMOKE_INNER:-}" ]; then
    export SMOKE_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
pid=""

fail() {
    echo "$1"
    [ -f stderr ] && cat stderr
    exit 1
}

# Waits up to $1 tenths of a second for the command in the remaining arguments to succeed.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq 1 "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

window_up() {
    window=$(xdotool search --onlyvisible --name '^みみのみ$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ]
}

# True once the recording holds at least $1 seconds of 16-bit stereo sound at 44.1 kHz.
recorded() {
    [ -f sound.wav ] && [ "$(stat -c %s sound.wav)" -ge $((44 + $1 * 44100 * 4)) ]
}

MIMINOMI_AUDIO_DRIVER=file MIMINOMI_AUDIO_FILE="$work/sound.wav" "$program" 2>stderr &
pid=$!
wait_for 100 window_up || fail "no window titled みみのみ appeared within 10 s"
menu=$(($(xwininfo -id "$window" | awk '/Height:/ {print $2}') - 475))

# Client-area rectangles of the controls used, from the window's layout.
click() { xdotool mousemove --window "$window" "$1" $((menu + $2)) click 1; }
click 218 426 # 新規出題 (176, 384, 85 × 85)

# The question is the reference A for 2 s, then one note for 1 s.
wait_for 150 recorded 4 || fail "the program did not record the question"
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
click 410 426 # 採点 (368, 384, 85 × 85)
sleep 0.3

# Close through the menu "ファイル" → "終了(&X)".
click 25 -12
sleep 0.3
xdotool key x
wait_for 100 bash -c "! kill -0 $pid 2>/dev/null" || fail "the program did not end after 終了"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"

[ -f record.txt ] || fail "no record.txt was written"
line=$(head -n 1 record.txt)
today=$(date +%Y/%m/%d)
[ "$line" = "$today,1,0,0,0,0,0,0,0,0,0"$'\r' ] || fail "record.txt holds: $(od -c record.txt | head -3)"
echo "record.txt: one right single note"
