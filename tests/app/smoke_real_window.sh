#!/usr/bin/env bash
# Starts the real program in a real X window under Xvfb, waits for its window "みみのみ" to be
# mapped, closes it through its menu, and expects a clean exit.
set -euo pipefail
program=$1

if [ -z "${SMOKE_INNER:-}" ]; then
    export SMOKE_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
MIMINOMI_AUDIO_DRIVER=none "$program" 2>"$work/stderr" &
pid=$!

window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name '^みみのみ$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window"; cat "$work/stderr"; exit 1; }
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "no window titled みみのみ appeared within 10 s"
    kill "$pid" 2>/dev/null || true
    exit 1
fi
echo "window $window is mapped"

# Close it as a learner would: open the menu "ファイル" and choose "終了(&X)" by its mnemonic.
xdotool mousemove --window "$window" 25 11 click 1
sleep 0.3
xdotool key x
for _ in $(seq 1 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        status=0
        wait "$pid" || status=$?
        echo "the program ended with status $status"
        [ "$status" -eq 0 ] || cat "$work/stderr"
        exit "$status"
    fi
    sleep 0.1
done
echo "the program did not end within 10 s of the close request"
kill -9 "$pid" 2>/dev/null || true
exit 1
