#!/usr/bin/env bash
# Makes the README's screenshots with the real game: quiltrush-screenshots
# plays a timeline under a virtual X server with the fixed 16 ms clock and
# saves the frames drawn at chosen ticks, which become 640 x 480 PNG files in
# docs/screenshots/: menu.png, manual.png, play.png and finish.png.
#
#   bash tools/screenshots.sh
#
# Builds build/quiltrush-screenshots first when it is missing or out of date
# (QUILTRUSH_BUILD=FOLDER builds and uses another build folder). Needs
# xvfb-run and ImageMagick's convert. The play picture is taken at a fixed
# tick of tests/playthrough/level1.timeline: when that timeline is recorded
# anew, look at play.png and move kPlayTick to a tick where the cloth is
# pulled with the ball in it. The finish picture follows the finish itself.
set -euo pipefail

readonly kMenuTick=30      # the menu, cursor beside the buttons
readonly kManualTick=70    # Manual clicked at tick 41
readonly kPlayTick=100     # the cloth under the ball pulled towards the camera, the ball in the bend
readonly kFinishTick=finish+0
readonly kColours=256      # a palette keeps each file near 100 KB

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILTRUSH_BUILD:-$root/build}
out=$root/docs/screenshots

for tool in xvfb-run convert cmake; do
  command -v $tool >/dev/null || { echo "screenshots.sh needs $tool" >&2; exit 2; }
done

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target quiltrush-screenshots -j 2

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
# The game plays in a folder of its own that sees assets/: it starts without a
# times.txt every time, so the finish picture always shows a first (new) best.
play=$frames/play
mkdir "$play"
ln -s "$root/assets" "$play/assets"

shoot() {  # TIMELINE WHEN=NAME..., TIMELINE relative to the project root
  local timeline=$1
  shift
  local shots=()
  for shot in "$@"; do shots+=("${shot%%=*}=$frames/${shot#*=}.ppm"); done
  rm -f "$play/times.txt"
  (cd "$play" && xvfb-run -a -s '-screen 0 1024x768x24 -noreset' \
    "$build/quiltrush-screenshots" "$root/$timeline" "${shots[@]}") >/dev/null
}

shoot tools/screenshots/menu.timeline "$kMenuTick=menu" "$kManualTick=manual"
shoot tests/playthrough/level1.timeline "$kPlayTick=play" "$kFinishTick=finish"

mkdir -p "$out"
for name in menu manual play finish; do
  convert "$frames/$name.ppm" -strip -dither None -colors "$kColours" \
    -define png:compression-level=9 "$out/$name.png"
  echo "$out/$name.png"
done
