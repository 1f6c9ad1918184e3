#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program in a real X window keeps the record of its run when it is ended from outside:
# answer one single-note question (unanswered, so it is marked wrong), send a termination signal,
# and expect status 0 and exactly one whole line of today's date and the tallies in record.txt.
# (A close that arrives while a question sounds is carried out after it: tests/app covers that.)
#   smoke_record_on_exit.sh <program> [signal]
set -euo pipefail
program=$1
signal=${2:-TERM}
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

# The question sounded whole: the reference A for 2 s and one note for 1 s.
wait_for_question() { wait_for 150 recorded 32 || fail "the question did not sound within 15 s"; }

end_by_signal_and_check() {
    kill "-$signal" "$pid"
    program_ends "SIG$signal"
    [ -f record.txt ] || fail "no record.txt after SIG$signal"
    [ "$(wc -l <record.txt)" -eq 1 ] || fail "record.txt holds $(wc -l <record.txt) lines"
    today=$(date +%Y/%m/%d)
    LC_ALL=C grep -qE "^$today,0,[1-9][0-9]*(,0){8}"$'\r'"\$" record.txt ||
        fail "unexpected record line: $(od -c record.txt | head -5)"
    echo "SIG$signal: record kept, status 0"
}

# Answers one single-note question with nothing chosen (wrong), once it has sounded, then ends
# the program by the signal.
start_program "$program"
click 218 426 # 新規出題 (176, 384, 85 × 85)
wait_for_question
unmarked=$(mark_area)
click 410 426 # 採点 (368, 384, 85 × 85)
wait_for 50 mark_changed_from "$unmarked" || fail "no mark appeared after 採点"
end_by_signal_and_check
