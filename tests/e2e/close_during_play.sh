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

e2e_close_and_expect_exit
echo "passed: closing the window during play ended the game with status 0"
