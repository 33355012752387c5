#!/usr/bin/env bash
# Starts the game as a player would, finds its window, checks its size, then
# closes it the way a window manager's close button does and checks that the
# process ends.
#
# Usage: window_opens.sh QUILTRUSH CLOSE_WINDOW SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
set -euo pipefail
# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_begin "$@"
e2e_start

# Let the timer tick a few times more.
sleep 0.5
e2e_expect_running "within its first half second"
if grep -q '(EXCEPTION)' "$e2e_run_dir/log.txt"; then e2e_fail "the log reports an exception: $(cat "$e2e_run_dir/log.txt")"; fi

e2e_close_and_expect_exit
echo "passed: the window opened at $kExpectedGeometry and closing it ended the game with status 0"
