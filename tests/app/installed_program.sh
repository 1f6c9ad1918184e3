#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program, as a learner who installed it meets it: installed from the build into a
# scratch prefix, its desktop entry and metadata valid, started from an unrelated empty folder it
# finds its pieces and keeps a marked question in the learner's data folder, writing nothing into
# the working folder; started from a folder holding data/ it keeps the record there, as always.
#   installed_program.sh <build folder>
set -euo pipefail
build=$(realpath "$1")
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
desktop-file-validate "$prefix"/share/applications/*.desktop || fail "the desktop entry is not valid"
appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "the AppStream metadata is not valid: $(appstreamcli validate --no-net "$prefix"/share/metainfo/*.xml)"
export HOME=$work/home XDG_DATA_HOME=$work/xdg
mkdir -p "$HOME" elsewhere

# Asks one single note, marks it unanswered (one wrong single note) and closes the program.
answer_one_wrong() {
    start_program "$prefix/bin/miminomi"
    click 218 426 # 新規出題
    wait_for 150 recorded 35 || fail "the program did not sound the question"
    local unmarked
    unmarked=$(mark_area)
    click 410 426 # 採点
    wait_for 50 mark_changed_from "$unmarked" || fail "the answer was not marked"
    close_by_menu
}
today=$(date +%Y/%m/%d)
line="$today,0,1,0,0,0,0,0,0,0,0"$'\r'

cd "$work/elsewhere"
answer_one_wrong
rm -f sound.wav
[ -z "$(ls -A)" ] || fail "the program wrote into the working folder: $(ls -A)"
[ "$(cat "$XDG_DATA_HOME/miminomi/record.txt")" = "$line" ] ||
    fail "the learner's folder holds: $(ls -la "$XDG_DATA_HOME/miminomi" 2>&1)"
[ "$(sqlite3 "$XDG_DATA_HOME/miminomi/history.sqlite3" 'SELECT count(*) FROM answers')" = 1 ] ||
    fail "the history is not in the learner's folder"
[ "$(stat -c %a "$XDG_DATA_HOME/miminomi")" = 700 ] || fail "the learner's folder is open to others"

# The pieces come from the installed share/miminomi/data: a rhythm plays from there.
start_program "$prefix/bin/miminomi"
click 410 45 # リズム
click 218 426
wait_for 200 recorded 20 || fail "the installed rhythm did not play"
grep -q "cannot\|could not" "$work/stderr" && fail "$(cat "$work/stderr")"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=""

mkdir "$work/old-layout"
cd "$work/old-layout"
ln -s "$prefix/share/miminomi/data" data
answer_one_wrong
[ "$(cat record.txt)" = "$line" ] || fail "record.txt beside data/ holds: $(cat record.txt 2>&1)"
[ "$(wc -l <"$XDG_DATA_HOME/miminomi/record.txt")" = 1 ] || fail "the learner's folder took the run"
echo "installed: records in the learner's folder from elsewhere, beside data/ in the old layout"
