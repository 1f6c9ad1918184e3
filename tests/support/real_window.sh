# Helpers for the tests that drive the real program in a real X window under Xvfb, as a learner
# would. Source it from a bash script with `set -euo pipefail`, then call `under_xvfb "$@"` first.

repository=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Runs the calling script again inside a fresh Xvfb server, once; there it moves into a scratch
# working folder holding a link to the pieces, removed, and the program ended, when the script ends.
under_xvfb() {
    if [ -z "${REAL_WINDOW_INNER:-}" ]; then
        export REAL_WINDOW_INNER=1
        exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
    fi
    work=$(mktemp -d)
    pid=""
    trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
    cd "$work"
    # The folder layout the program has always had: the pieces in data/, the record beside them;
    # and settings of its own, so that the program starts as on its very first run.
    ln -s "$repository/data" data
    export XDG_CONFIG_HOME=$work/config
}

fail() {
    echo "$1"
    [ -f "${work:-}/stderr" ] && cat "$work/stderr"
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

# Starts the program ($1) recording its sound into sound.wav in the working folder, waits for its
# window "みみのみ" and sets `window` and `menu`, the height of the menu bar above the 794 × 475
# client area. With job control on, the program is not started with SIGINT ignored, as a learner's
# terminal starts it.
start_program() {
    rm -f record.txt sound.wav
    set -m
    MIMINOMI_AUDIO_DRIVER=file MIMINOMI_AUDIO_FILE="$PWD/sound.wav" "$1" 2>"$work/stderr" &
    pid=$!
    set +m
    wait_for 100 window_shown || fail "no window titled みみのみ appeared within 10 s"
    menu=$(($(xwininfo -id "$window" | awk '/Height:/ {print $2}') - 475))
}

# Sets `window` once the program shows its window; fails when the program ended before.
window_shown() {
    window=$(xdotool search --onlyvisible --name '^みみのみ$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] || { kill -0 "$pid" 2>/dev/null || fail "the program ended before its window"; false; }
}

# Clicks the point ($1, $2) of the client area.
click() { xdotool mousemove --window "$window" "$1" $((menu + $2)) click 1; }

# True once the recording holds at least $1 tenths of a second of 16-bit stereo at 44.1 kHz.
recorded() {
    [ -f sound.wav ] && [ "$(stat -c %s sound.wav)" -ge $((44 + $1 * 44100 * 4 / 10)) ]
}

# A checksum of what the window shows inside the first single-note answer's mark (the page's
# picture box at (104, 120), 40 × 40), which changes when the mark is shown or hidden.
mark_area() { import -window "$window" -crop "36x30+118+$((menu + 185))" -depth 8 rgb:- | md5sum; }
# True once the mark area no longer shows what checksum $1 was taken of.
mark_changed_from() { [ "$(mark_area)" != "$1" ]; }

# True while a second window of the program (an open menu) is shown.
menu_open() { [ "$(xdotool search --onlyvisible --class miminomi | wc -l)" -gt 1 ]; }

# Closes the program through its menu "ファイル" → "終了(&X)", once the menu has opened (a second
# window of the program), and checks it ends with status 0.
close_by_menu() {
    xdotool mousemove --window "$window" 25 $((menu / 2)) click 1
    wait_for 50 menu_open || fail "the menu did not open"
    xdotool key x
    program_ends "the close request"
}

# Waits for the program to end after $1 and checks that it ended with status 0.
program_ends() {
    wait_for 300 bash -c "! kill -0 $pid 2>/dev/null" ||
        fail "the program did not end within 30 s of $1"
    local status=0
    wait "$pid" || status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status after $1"
}
