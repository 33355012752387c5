#!/usr/bin/env bash
# Runs quiltrush-screenshots in a folder of its own: frames of the chosen
# ticks come out as whole 640 x 480 PPM images and differ where the screen
# changed; a tick that never comes and bad arguments give their exit status.
#
# Usage: screenshots_tool.sh QUILTRUSH_SCREENSHOTS SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
set -euo pipefail

readonly kSkipped=77
readonly kHeader=$'P6\n640 480\n255\n'
readonly kFrameBytes=$((15 + 640 * 480 * 3))  # the header above and three bytes a pixel

if [ $# -ne 2 ]; then
  echo "usage: screenshots_tool.sh QUILTRUSH_SCREENSHOTS SOURCE_DIR" >&2
  exit 2
fi
tool=$(realpath "$1")
source_dir=$(realpath "$2")
if [ -z "${DISPLAY:-}" ]; then
  echo "skipped: no X display (run the tests under xvfb-run)"
  exit $kSkipped
fi

run_dir=$(mktemp -d "${TMPDIR:-/tmp}/quiltrush-screenshots-XXXXXX")
trap 'rm -rf "$run_dir"' EXIT
ln -s "$source_dir/assets" "$run_dir/assets"  # the game reads assets/ and writes log.txt here
cd "$run_dir"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The menu, then the manual after Manual was clicked at tick 41.
timeline=$source_dir/tools/screenshots/menu.timeline
"$tool" "$timeline" 30=menu.ppm 70=manual.ppm >out.txt 2>&1 || fail "frames of the menu timeline: $(cat out.txt)"
for frame in menu manual; do
  [ -f $frame.ppm ] || { fail "$frame.ppm missing"; continue; }
  [ "$(stat -c %s $frame.ppm)" -eq $kFrameBytes ] || fail "$frame.ppm has $(stat -c %s $frame.ppm) bytes"
  head -c 15 $frame.ppm | cmp -s - <(printf '%s' "$kHeader") || fail "$frame.ppm does not start with a 640 x 480 PPM header"
done
cmp -s menu.ppm manual.ppm && fail "the menu and the manual frames are the same"
grep -q "^tick 30: menu.ppm$" out.txt || fail "no line for the menu frame: $(cat out.txt)"

# The menu timeline never finishes: its finish frame is missed, exit 1.
status=0
"$tool" "$timeline" 5=early.ppm finish+0=finish.ppm --ticks 60 >out.txt 2>&1 || status=$?
[ $status -eq 1 ] || fail "a finish that never came gave exit status $status"
grep -q "finish.ppm: tick finish+0 never came in 60 ticks" out.txt || fail "no message for the missed frame: $(cat out.txt)"
[ -f early.ppm ] || fail "the frame before the missed one was not saved"
[ -f finish.ppm ] && fail "a frame was saved for a finish that never came"

# Bad arguments: exit 2 before the game starts.
for arguments in "$timeline" "$timeline 0=zero.ppm" "$timeline finish+x=a.ppm" "$timeline 5" "no-such.timeline 5=a.ppm"; do
  status=0
  # shellcheck disable=SC2086  # the arguments are split on purpose
  "$tool" $arguments >/dev/null 2>&1 || status=$?
  [ $status -eq 2 ] || fail "'$arguments' gave exit status $status, not 2"
done

[ $failed -eq 0 ] && echo "passed"
exit $failed
