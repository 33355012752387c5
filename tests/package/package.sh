#!/usr/bin/env bash
# The Debian package: built with CPack, its contents, menu entry, man page and
# lintian checked; then unpacked into a temporary root and played through its
# launcher from an unrelated folder with a temporary HOME: the menu, Exit,
# the log in the player's folder, a level of the test's own, and the clear
# refusals of a broken installation and of a home that cannot be written.
#
# Usage: package.sh BUILD_DIR CLOSE_WINDOW SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
set -euo pipefail
# shellcheck source=../e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_lib.sh"

readonly kMinLevelPixels=5000
readonly kBrokenStatus=1

build=$(realpath "$1")
e2e_begin "$build/quiltrush" "$2" "$3"
run=$e2e_run_dir

cpack -G DEB -B "$run/package" --config "$build/CPackConfig.cmake" >"$run/cpack.txt" 2>&1 ||
  e2e_fail "cpack failed: $(cat "$run/cpack.txt")"
deb=$(echo "$run"/package/quiltrush_*_*.deb)
[ -f "$deb" ] || e2e_fail "cpack made no quiltrush_VERSION_ARCH.deb: $(ls "$run/package")"
echo "built $(basename "$deb"), $(stat -c %s "$deb") bytes"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in usr/games/quiltrush usr/games/quiltrush-check-level usr/games/quiltrush-play-timeline \
  usr/games/quiltrush-find-playthrough usr/lib/games/quiltrush/quiltrush \
  usr/share/applications/quiltrush.desktop usr/share/icons/hicolor/48x48/apps/quiltrush.png \
  usr/share/icons/hicolor/256x256/apps/quiltrush.png usr/share/man/man6/quiltrush.6.gz \
  usr/share/doc/quiltrush/copyright usr/share/doc/quiltrush/changelog.gz; do
  grep -qx "./$path" <<<"$contents" || e2e_fail "the package lacks /$path"
done
grep -q '^\./usr/share/metainfo/[^/]*\.metainfo\.xml$' <<<"$contents" ||
  e2e_fail "the package lacks its AppStream metainfo in /usr/share/metainfo/"
shipped=$(cd "$3/assets" && find . -type f | sort)
packed=$(sed -n 's|^\./usr/share/games/quiltrush/assets/\(.*[^/]\)$|./\1|p' <<<"$contents" | sort)
[ "$shipped" = "$packed" ] || e2e_fail "the package's assets differ from assets/: $(diff <(echo "$shipped") <(echo "$packed"))"
depends=$(dpkg-deb -f "$deb" Depends)
[[ "$depends" == *libglut* ]] || e2e_fail "Depends lacks freeglut: '$depends'"

root=$run/root
dpkg-deb -x "$deb" "$root"
for size in 48 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/quiltrush.png
  [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || e2e_fail "$icon is not $size x $size"
done
notes=$(desktop-file-validate "$root/usr/share/applications/quiltrush.desktop" 2>&1) &&
  [ -z "$notes" ] || e2e_fail "desktop-file-validate: $notes"
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/quiltrush.6.gz" >/dev/null 2>"$run/man.txt"
[ ! -s "$run/man.txt" ] || e2e_fail "the man page renders with warnings: $(cat "$run/man.txt")"
# CI runs as root, which lintian only advises against.
lintian --allow-root --fail-on error "$deb" >"$run/lintian.txt" 2>&1 ||
  e2e_fail "lintian reports errors: $(cat "$run/lintian.txt")"
echo "lintian: $(grep -c . "$run/lintian.txt" || true) notes (none of them errors)"

launcher=$root/usr/games/quiltrush
version=$("$launcher" --version)
[ "$version" = "quiltrush $(dpkg-deb -f "$deb" Version)" ] || e2e_fail "--version says '$version'"

# Run as a player from an empty folder with a fresh home.
mkdir "$run/start" "$run/home"
export HOME=$run/home
unset XDG_DATA_HOME
folder=$HOME/.local/share/quiltrush

# expect_refusal WHAT MESSAGE COMMAND...: the launcher says one line that
# holds MESSAGE and ends with the status of a broken set-up, opening no window.
expect_refusal() {
  local what=$1 message=$2 status=0 said
  shift 2
  said=$(cd "$run/start" && "$@" 2>&1) || status=$?
  [ "$status" -eq $kBrokenStatus ] && [[ "$said" == *"$message"* ]] && [ "$(wc -l <<<"$said")" -eq 1 ] ||
    e2e_fail "with $what the launcher ended with $status saying '$said'"
  echo "$what: $said"
}
data=$root/usr/share/games/quiltrush/assets
mv "$data" "$data.away"
expect_refusal "the data missing" "data $data is missing" "$launcher"
mv "$data.away" "$data"
# Root writes in read-only folders, so an ordinary user is needed for these.
as_player=()
[ "$(id -u)" -ne 0 ] || as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
mkdir -m 555 "$run/locked" && mkdir -p "$run/home2/.local/share/quiltrush" && chmod 555 "$run/home2/.local/share/quiltrush"
chmod 755 "$run"
expect_refusal "an unwritable home" "cannot write in" env HOME="$run/locked" "${as_player[@]}" "$launcher"
expect_refusal "an unwritable own folder" "cannot write in" env HOME="$run/home2" "${as_player[@]}" "$launcher"

e2e_game=$launcher
e2e_start_dir=$run/start
e2e_log_dir=$folder
e2e_start
e2e_park
e2e_expect menu "the menu" e2e_is_menu
e2e_click $kExitX $kExitY
e2e_wait_for_exit "the click on Exit"
[ "$e2e_status" -eq 0 ] || e2e_fail "the game ended with status $e2e_status after Exit"
[ "$(readlink -f "$folder/assets")" = "$(readlink -f "$data")" ] || e2e_fail "$folder/assets does not lead to $data"
grep -qx 'Camera created' "$folder/log.txt" || e2e_fail "$folder/log.txt lacks 'Camera created'"
[ -z "$(ls -A "$run/start")" ] || e2e_fail "the game wrote in the starting folder: $(ls -A "$run/start")"

# A level of the test's own: the installed one with a magenta course, which
# nothing of the shipped game shows.
mkdir -p "$run/level/assets/models"
convert -size 64x64 xc:magenta -alpha set -define bmp:format=bmp4 "BMP:$run/level/assets/models/scene.bmp"
shows_level() {
  local count
  e2e_mask_args '>50' '<25' '>50'
  count=$(convert "$1" "${e2e_args[@]}" -format '%[fx:round(mean*w*h)]' info:)
  e2e_figures="magenta pixels $count (want >= $kMinLevelPixels)"
  ((count >= kMinLevelPixels))
}
e2e_game_args=(--level "$run/level")
rm "$folder/log.txt"
e2e_start
e2e_park
e2e_click $kNewX $kNewY
e2e_park
e2e_expect level "the level's own course" shows_level
e2e_close_and_expect_exit
[ -z "$(ls -A "$run/start")" ] || e2e_fail "the game wrote in the starting folder: $(ls -A "$run/start")"
echo "passed: the package installs the game, which plays from its own folder"
