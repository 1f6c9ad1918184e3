#!/usr/bin/env bash
# The real program in a real X window keeps the record of its run when it is ended from outside:
# answer one single-note question (unanswered, so it is marked wrong), send a termination signal,
# and expect status 0 and exactly one whole line of today's date and the tallies in record.txt.
# Then the same with the signal arriving while a question is still playing.
#   smoke_record_on_exit.sh <program> [signal]
set -euo pipefail
program=$1
signal=${2:-TERM}

if [ -z "${SMOKE_INNER:-}" ]; then
    export SMOKE_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() {
    echo "$1"
    [ -f "$work/stderr" ] && cat "$work/stderr"
    exit 1
}

start_program() {
    rm -f record.txt sound.wav
    # With job control on, the background program is not started with SIGINT ignored, as it
    # would be from a plain script; it is then as a learner's terminal would start it.
    set -m
    MIMINOMI_AUDIO_DRIVER=file MIMINOMI_AUDIO_FILE="$work/sound.wav" "$program" 2>"$work/stderr" &
    pid=$!
    set +m
    window=""
    for _ in $(seq 1 100); do
        window=$(xdotool search --onlyvisible --name '^みみのみ$' 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window titled みみのみ appeared within 10 s"
    # The client area is 794 × 475 below the menu bar.
    height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
    menu=$((height - 475))
}

# Waits until the program has sounded a whole question (the reference A for 2 s and one note for
# 1 s): the recording of 16-bit stereo at 44.1 kHz then holds more than 3 s.
wait_for_question() {
    for _ in $(seq 1 150); do
        [ -f sound.wav ] && [ "$(stat -c %s sound.wav)" -ge $((44 + 32 * 44100 * 4 / 10)) ] && return 0
        sleep 0.1
    done
    fail "the question did not sound within 15 s"
}

# Clicks a control of the client area at its centre, given its layout rectangle.
click() {
    xdotool mousemove --window "$window" $(($1 + $3 / 2)) $((menu + $2 + $4 / 2)) click 1
}

end_by_signal_and_check() {
    kill "-$signal" "$pid"
    for _ in $(seq 1 300); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && { kill -9 "$pid"; fail "the program did not end within 30 s of SIG$signal"; }
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status after SIG$signal"
    [ -f record.txt ] || fail "no record.txt after SIG$signal"
    [ "$(wc -l <record.txt)" -eq 1 ] || fail "record.txt holds $(wc -l <record.txt) lines"
    today=$(date +%Y/%m/%d)
    LC_ALL=C grep -qE "^$today,0,[1-9][0-9]*(,0){8}"$'\r'"\$" record.txt ||
        fail "unexpected record line: $(od -c record.txt | head -5)"
    echo "SIG$signal: record kept, status 0"
}

# 1. Signal while idle, after one marked question.
start_program
click 176 384 85 85 # 新規出題
wait_for_question
click 368 384 85 85 # 採点 with nothing chosen: wrong
sleep 0.5
end_by_signal_and_check

# 2. Signal while the next question is still sounding: the run ends after it.
start_program
click 176 384 85 85
wait_for_question
click 368 384 85 85
sleep 0.5
click 176 384 85 85
sleep 0.3
end_by_signal_and_check
