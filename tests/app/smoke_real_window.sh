#!/usr/bin/env bash
# Starts the real program in a real X window under Xvfb, waits for its window "みみのみ" to be
# mapped, closes it through its menu, and expects a clean exit.
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/real_window.sh"
under_xvfb "$@"

start_program "$program"
echo "window $window is mapped"
close_by_menu
echo "the program ended with status 0"
