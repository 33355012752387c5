#!/usr/bin/env bash
# The menu's Manual and Credits buttons open their screens, which differ from
# the menu and from each other, ignore other keys, and go back to the same
# menu on Escape.
#
# Usage: screens.sh QUILTRUSH CLOSE_WINDOW SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
set -euo pipefail
# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_begin "$@"
e2e_start

e2e_park
e2e_expect menu "the menu" e2e_is_menu
menu=$e2e_shot_file
if e2e_is_manual "$menu"; then e2e_fail "the manual check passes on the menu: $e2e_figures"; fi
if e2e_is_credits "$menu"; then e2e_fail "the credits check passes on the menu: $e2e_figures"; fi

e2e_click $kManualX $kManualY
e2e_park
e2e_expect manual "the manual" e2e_is_manual
manual=$e2e_shot_file
e2e_differs_from $kMinChangedPixels "$menu" "$manual" || e2e_fail "the manual looks like the menu: $e2e_figures"
echo "manual is not the menu: $e2e_figures"
if e2e_is_credits "$manual"; then e2e_fail "the credits check passes on the manual: $e2e_figures"; fi

# Only Escape leaves the manual; play keys do nothing while it is up.
e2e_key space
e2e_key Return
e2e_key d
sleep $kSettleSeconds
e2e_shot manual_after_keys
e2e_same_as "$manual" "$e2e_shot_file" || e2e_fail "other keys changed the manual: $e2e_figures"
echo "other keys leave the manual: $e2e_figures"

e2e_key Escape
e2e_park
e2e_expect menu_after_manual "the menu as before, after Escape on the manual" e2e_is_menu_as "$menu"

e2e_click $kCreditsX $kCreditsY
e2e_park
e2e_expect credits "the credits" e2e_is_credits
credits=$e2e_shot_file
e2e_differs_from $kMinChangedPixels "$menu" "$credits" || e2e_fail "the credits look like the menu: $e2e_figures"
echo "credits are not the menu: $e2e_figures"

e2e_key Escape
e2e_park
e2e_expect menu_after_credits "the menu as before, after Escape on the credits" e2e_is_menu_as "$menu"

e2e_expect_clean_log
echo "passed: Manual and Credits open their own screens and Escape brings the menu back"
