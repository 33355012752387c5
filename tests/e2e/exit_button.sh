#!/usr/bin/env bash
# After some play, Escape and a click on the menu's Exit button end the game
# with status 0, its window gone and its log written.
#
# Usage: exit_button.sh QUILTRUSH CLOSE_WINDOW SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
set -euo pipefail
# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

readonly kPlaySeconds=0.5

e2e_begin "$@"
e2e_start

e2e_park
e2e_expect menu "the menu" e2e_is_menu
e2e_click $kNewX $kNewY
sleep $kPlaySeconds
e2e_key Escape
e2e_park
e2e_expect menu_again "the menu after play" e2e_is_menu

e2e_click $kExitX $kExitY
e2e_wait_for_exit "the click on Exit"
[ "$e2e_status" -eq 0 ] || e2e_fail "the game ended with status $e2e_status after Exit"
if xdotool search --name "^$kTitle\$" 2>/dev/null | grep -qx "$e2e_window"; then
  e2e_fail "window $e2e_window is still there"
fi
grep -qx 'Camera created' "$e2e_run_dir/log.txt" || e2e_fail "log.txt lacks the line 'Camera created'"
e2e_expect_clean_log
echo "passed: Exit ended the game with status 0; log.txt says 'Camera created'"
