#!/usr/bin/env bash
# Sets up a fresh Debian machine for Quilt Rush and then plays or tests it.
#   bash tools/setup.sh play   install what is missing, build, start the game
#   bash tools/setup.sh test   install what is missing, build, run every test
# Run from anywhere; it works from the project root. Safe to run again.
set -euo pipefail

mode=${1:-play}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

packages=(
  g++ cmake make pkg-config
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libx11-dev libxtst-dev
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick
  clang libclang-rt-14-dev
)

install_missing() {
  local missing=()
  for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$root/build" -j "$(nproc)"
}

run_tests() {
  # GL tests need a display: give them a virtual X server of their own.
  xvfb-run -a -s "-screen 0 1024x768x24" \
    ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)" --timeout 600
}

install_missing
build
case "$mode" in
  play) exec "$root/build/quiltrush" ;;
  test) run_tests ;;
  *) echo "usage: bash tools/setup.sh play|test" >&2; exit 2 ;;
esac
