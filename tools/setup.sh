#!/usr/bin/env bash
# Sets up a fresh Debian machine for Quilt Rush and then plays or tests it.
#   bash tools/setup.sh play   install what building and playing need, build the
#                              game without the tests, start it
#   bash tools/setup.sh test   install what the tests need too, build, run every test, then
#                              build again with AddressSanitizer and
#                              UndefinedBehaviorSanitizer into build-sanitize/ and
#                              run every test there too
# Run from anywhere; it works from the project root. Safe to run again.
set -euo pipefail

mode=${1:-play}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# What building and playing need, and CPack's tools for the Debian package.
play_packages=(
  g++ cmake make pkg-config
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libx11-dev
  libopenal-dev
  dpkg-dev file
)
# What the tests, benchmarks, fuzzers and checks need besides.
test_packages=(
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick
  clang libclang-rt-14-dev
  lintian desktop-file-utils man-db appstream
  valgrind
)

install_missing() {
  local missing=()
  for package in "$@"; do
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

# build ON|OFF: with or without the tests and benchmarks.
build() {
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILTRUSH_TESTS="$1" -DQUILTRUSH_BENCH="$1"
  cmake --build "$root/build" -j "$(nproc)"
}

# The sanitized build needs no benchmarks: their timings would mean nothing.
# -O1 and -g1 (function names and lines, enough for every report and for the
# suppressions) compile in about half the time of -O2 -g.
build_sanitized() {
  cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DQUILTRUSH_SANITIZE=ON -DQUILTRUSH_BENCH=OFF
  cmake --build "$root/build-sanitize" -j "$(nproc)"
}

# run_tests BUILD_DIR [ctest options...]
run_tests() {
  local dir=$1
  shift
  # GL tests need a display: give them a virtual X server of their own. By
  # default an X server resets when its last client leaves, and refuses new
  # connections meanwhile; the end-to-end tests start and end the game, its
  # only client, so the server must not reset under them.
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
    ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600 "$@"
}

# Every sanitizer report ends its process with a failing status, so the test
# fails. Leaks of what the game keeps on purpose until it exits are listed in
# tools/lsan.supp. The fuzz tests are left out here: their targets are built
# with both sanitizers anyway, by the first run. The end-to-end tests watch the
# game in real time with timed waits that the much slower sanitized game
# misses; they run in the first build only, and so does the package test,
# which plays the packed game the same way (and a sanitized game is not one to ship).
run_sanitized_tests() (
  export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:exitcode=86:detect_leaks=1
  export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=0:exitcode=87:print_stacktrace=1
  # The leak check reads no thread-local storage (use_tls=0): the dynamic TLS
  # table of a process with Mesa's driver loaded sometimes holds an entry the
  # check takes for a block at address 0xa5e, and its tracer then crashed
  # ("Tracer caught signal 11", "DTLS 10 at 0x...a5e"), a fault of the check,
  # not of the game. The game keeps nothing in thread-local storage.
  export LSAN_OPTIONS=use_tls=0:suppressions="$root/tools/lsan.supp":print_suppressions=0
  # Mesa's software renderer draws on threads of its own and writes its shader
  # cache on another. The leak check at exit stops every thread, and now and
  # then its tracer crashed ("Tracer caught signal 11") at the end of a long
  # game with the cache's thread about, which says nothing of the game. Drawing in the
  # calling thread without a disk cache leaves no thread but the game's, and
  # the two test jobs keep both cores busy anyway.
  export LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true
  local status=0
  run_tests "$root/build-sanitize" -LE 'fuzz|e2e|package' || status=1
  return $status
)

case "$mode" in
  play)
    install_missing "${play_packages[@]}"
    build OFF
    exec "$root/build/quiltrush"
    ;;
  test)
    install_missing "${play_packages[@]}" "${test_packages[@]}"
    build ON
    # Both runs report, even when the first one fails.
    status=0
    # A failing test of the first run runs once more: the end-to-end tests
    # drive a real window with timed waits and can miss under heavy load,
    # while a real fault fails both times. The sanitized run never retries,
    # so a report that shows only sometimes still fails it.
    run_tests "$root/build" --repeat until-pass:2 || status=1
    build_sanitized
    run_sanitized_tests || status=1
    exit $status
    ;;
  *) echo "usage: bash tools/setup.sh play|test" >&2; exit 2 ;;
esac
