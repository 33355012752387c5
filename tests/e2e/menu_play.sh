#!/usr/bin/env bash
# Plays as a player would: the game opens on its menu, a click on New starts
# play with the red ball in view and the scene moving, and Escape brings back
# the menu exactly as it was.
#
# Usage: menu_play.sh QUILTRUSH CLOSE_WINDOW SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
set -euo pipefail
# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

# The ball starts falling from (-3, 7, -3); by then it is well under way.
readonly kPlaySeconds=1
# 1 % of the window.
readonly kMinMovingPixels=3072

e2e_begin "$@"
e2e_start

e2e_park
e2e_expect menu "the menu" e2e_is_menu
menu=$e2e_shot_file
if e2e_shows_ball "$menu"; then e2e_fail "the ball check passes on the menu: $e2e_figures"; fi
echo "menu without the ball: $e2e_figures"

e2e_click $kNewX $kNewY
e2e_park
sleep $kPlaySeconds
e2e_expect play "the red ball in play" e2e_shows_ball
play=$e2e_shot_file
if e2e_is_menu "$play"; then e2e_fail "play still looks like the menu: $e2e_figures"; fi
echo "play is not the menu: $e2e_figures"

# The camera follows the falling ball, so the picture keeps changing.
e2e_expect play_later "play going on" e2e_differs_from $kMinMovingPixels "$play"
e2e_shows_ball "$e2e_shot_file" || e2e_fail "the ball left the middle of the window: $e2e_figures"
echo "the ball still in the middle: $e2e_figures"

e2e_key Escape
e2e_park
e2e_expect menu_again "the menu as before, after Escape" e2e_is_menu_as "$menu"
e2e_shows_no_ball "$e2e_shot_file" || e2e_fail "the menu after Escape shows the ball's red: $e2e_figures"

e2e_expect_clean_log
echo "passed: menu, New, the red ball in moving play, Escape back to the same menu"
