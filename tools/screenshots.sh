#!/usr/bin/env bash
# Makes the README's screenshots with the real game: quiltrush-screenshots
# plays a timeline under a virtual X server with the fixed 16 ms clock and
# saves the frames drawn at chosen ticks, which become 640 x 480 PNG files in
# docs/screenshots/: menu.png, manual.png, play.png and finish.png, then
# level-NAME.png, the start view of every level of the pack, and levels.png,
# the level screen. Each start view also becomes that level's picture on the
# level screen, assets/levels/NAME/preview.bmp (tools/assets/level_preview.py,
# which needs python3-pil).
#
#   bash tools/screenshots.sh
#
# Builds build/quiltrush-screenshots first when it is missing or out of date
# (QUILTRUSH_BUILD=FOLDER builds and uses another build folder). Needs
# xvfb-run and ImageMagick's convert. The play picture is taken at a fixed
# tick of tests/playthrough/hammock.timeline: when that timeline is recorded
# anew, look at play.png and move kPlayTick to a tick where the cloth is
# pulled with the ball in it. The finish picture follows the finish itself.
set -euo pipefail

readonly kMenuTick=30      # the menu, cursor beside the buttons
readonly kManualTick=70    # Manual clicked at tick 41
readonly kPlayTick=100     # the cloth under the ball pulled towards the camera, the ball in the bend
readonly kFinishTick=finish+0
readonly kStartTick=110    # Play clicked at tick 3: the ball has dropped onto the cloth
readonly kLevelsTick=40    # Levels clicked at tick 21, the mouse on the second card
readonly kColours=256      # a palette keeps each file near 100 KB

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILTRUSH_BUILD:-$root/build}
out=$root/docs/screenshots

for tool in xvfb-run convert cmake python3; do
  command -v $tool >/dev/null || { echo "screenshots.sh needs $tool" >&2; exit 2; }
done

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target quiltrush-screenshots quiltrush-menu-layout quiltrush -j 2
eval "$("$build/quiltrush-menu-layout")"

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
# The game plays in a folder of its own that sees assets/: it starts without a
# times.txt every time, so the finish picture always shows a first (new) best.
play=$frames/play
mkdir "$play"
ln -s "$root/assets" "$play/assets"

shoot() {  # [--level NAME] TIMELINE WHEN=NAME..., TIMELINE relative to the project root or absolute
  local level=()
  if [ "$1" = --level ]; then level=(--level "$2"); shift 2; fi
  local timeline=$1
  shift
  case $timeline in /*) ;; *) timeline=$root/$timeline ;; esac
  local shots=()
  for shot in "$@"; do shots+=("${shot%%=*}=$frames/${shot#*=}.ppm"); done
  rm -f "$play/times.txt"
  (cd "$play" && xvfb-run -a -s '-screen 0 1024x768x24 -noreset' \
    "$build/quiltrush-screenshots" "$timeline" "${shots[@]}" "${level[@]}") >/dev/null
}

shoot tools/screenshots/menu.timeline "$kMenuTick=menu" "$kManualTick=manual"
shoot tests/playthrough/hammock.timeline "$kPlayTick=play" "$kFinishTick=finish"

# The clicks come from the game's own layout. A start view's picture has no
# cursor in it: the mouse leaves by the window's bottom-right corner, and the
# cursor's picture hangs right and down from the mouse.
printf '0 move 470 300\n2 move %d %d\n3 press left\n4 release left\n5 move %d %d\n' \
  "$kNewX" "$kNewY" "$kWindowWidth" "$kWindowHeight" >"$frames/start.timeline"
printf '0 move 470 300\n20 move %d %d\n21 press left\n22 release left\n30 move %d %d\n' \
  "$kLevelsX" "$kLevelsY" "$kCard2X" "$kCard2Y" >"$frames/levels.timeline"
levels=$(cd "$root" && "$build/quiltrush" --levels)
for level in $levels; do
  shoot --level "$level" "$frames/start.timeline" "$kStartTick=level-$level"
  python3 "$root/tools/assets/level_preview.py" "$frames/level-$level.ppm" "$root/assets/levels/$level/preview.bmp"
done
shoot "$frames/levels.timeline" "$kLevelsTick=levels"

mkdir -p "$out"
for name in menu manual play finish levels $(printf 'level-%s ' $levels); do
  convert "$frames/$name.ppm" -strip -dither None -colors "$kColours" \
    -define png:compression-level=9 "$out/$name.png"
  echo "$out/$name.png"
done
