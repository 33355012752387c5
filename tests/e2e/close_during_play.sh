#!/usr/bin/env bash
# Closing the window in the middle of play, the way a window manager's close
# button does, ends the game.
#
# Usage: close_during_play.sh QUILTRUSH CLOSE_WINDOW SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
set -euo pipefail
# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_begin "$@"
e2e_start

e2e_park
e2e_expect menu "the menu" e2e_is_menu
e2e_click $kNewX $kNewY
e2e_park
e2e_expect play "the red ball in play" e2e_shows_ball

"$e2e_close_window" "$e2e_window" || e2e_fail "could not send WM_DELETE_WINDOW to window $e2e_window"
e2e_wait_for_exit "its window was closed"
[ "$e2e_status" -eq 0 ] || e2e_fail "the game ended with status $e2e_status after its window was closed"
if xdotool search --name "^$kTitle\$" 2>/dev/null | grep -qx "$e2e_window"; then
  e2e_fail "window $e2e_window is still there"
fi
echo "passed: closing the window during play ended the game with status 0"
