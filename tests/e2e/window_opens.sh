#!/usr/bin/env bash
# Starts the game as a player would, finds its window, checks its size, then
# closes it the way a window manager's close button does and checks that the
# process ends.
#
# Usage: window_opens.sh QUILTRUSH CLOSE_WINDOW SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
set -euo pipefail

readonly kSkipped=77
readonly kTitle='OpenGL GLUT Application'
readonly kExpectedGeometry='640x480'
readonly kWindowWaitSeconds=20
readonly kExitWaitSeconds=10

if [ $# -ne 3 ]; then
  echo "usage: window_opens.sh QUILTRUSH CLOSE_WINDOW SOURCE_DIR" >&2
  exit 2
fi
game=$(realpath "$1")
close_window=$(realpath "$2")
source_dir=$(realpath "$3")

if [ -z "${DISPLAY:-}" ]; then
  echo "skipped: no X display (run the tests under xvfb-run)"
  exit $kSkipped
fi

run_dir=$(mktemp -d "${TMPDIR:-/tmp}/quiltrush-e2e-XXXXXX")
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$run_dir"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  if [ -s "$run_dir/output.txt" ]; then
    echo "--- the game's output:" >&2
    cat "$run_dir/output.txt" >&2
  fi
  exit 1
}

# The game reads assets/ from its working directory and writes log.txt there.
ln -s "$source_dir/assets" "$run_dir/assets"

# Windows with the same title that were there before are not ours.
windows_before=$(xdotool search --name "^$kTitle\$" 2>/dev/null || true)
find_new_window() {
  local candidate
  for candidate in $(xdotool search --name "^$kTitle\$" 2>/dev/null || true); do
    if ! grep -qx "$candidate" <<<"$windows_before"; then
      echo "$candidate"
      return 0
    fi
  done
  return 1
}

(cd "$run_dir" && exec "$game") >"$run_dir/output.txt" 2>&1 &
pid=$!

# Polled rather than waited for with search --sync, so that a game that dies
# at start-up fails at once and another instance's window is never taken.
window=""
deadline=$((SECONDS + kWindowWaitSeconds))
until window=$(find_new_window); do
  kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared"
  [ $SECONDS -lt $deadline ] || fail "no new window titled '$kTitle' within $kWindowWaitSeconds s"
  sleep 0.1
done
echo "window $window"

geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: *//p')
[ "$geometry" = "$kExpectedGeometry" ] || fail "window is '$geometry', expected $kExpectedGeometry"

# Let the timer tick a few times: from the second tick on the debug pass opens the log.
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the game ended by itself"
[ -f "$run_dir/log.txt" ] || fail "no log.txt after the first ticks: the timer loop is not running"
if grep -q '(EXCEPTION)' "$run_dir/log.txt"; then fail "the log reports an exception: $(cat "$run_dir/log.txt")"; fi

"$close_window" "$window" || fail "could not send WM_DELETE_WINDOW to window $window"

deadline=$((SECONDS + kExitWaitSeconds))
while kill -0 "$pid" 2>/dev/null; do
  [ $SECONDS -lt $deadline ] || fail "the game still runs $kExitWaitSeconds s after its window was closed"
  sleep 0.1
done
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status after its window was closed"
if xdotool search --name "^$kTitle\$" 2>/dev/null | grep -qx "$window"; then fail "window $window is still there"; fi
echo "passed: the window opened at $geometry and closing it ended the game with status 0"
