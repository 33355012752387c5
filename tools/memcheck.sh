#!/usr/bin/env bash
# Runs the real game under valgrind's memcheck with Mesa's software renderer
# and plays it as a player would: New, a few seconds of dragging, a tack,
# the debug view, the wheel, Escape back to the menu and Exit.
#
#   bash tools/memcheck.sh [QUILTRUSH]     (default: build/quiltrush)
#
# Without a DISPLAY it starts itself again under xvfb-run. Valgrind makes the
# game some fifty times slower, so every wait below is long; a whole run takes
# a few minutes. The full report stays in memcheck.log in the run folder (its
# path is printed).
#
# Memcheck reports every invalid read or write and every use of an
# uninitialised value, including those inside Mesa, llvmpipe and the X
# libraries. Ours are the errors whose first frame below valgrind's own
# replacements (memcpy and the allocators) lies in framework/, game/ or
# main.cpp; tools/memcheck.supp silences known reports from inside the
# driver only. Exit status: 0 when none of ours was found and the game ended
# with status 0 through Exit, 1 otherwise, 2 when the run could not be made.
set -euo pipefail

readonly kTitle="OpenGL GLUT Application"
readonly kClothX=320 kClothY=260 # below the window centre: the cloth in the first view
readonly kWindowWaitSeconds=300  # start-up under valgrind, on a loaded machine
readonly kExitWaitSeconds=600
readonly kStepSeconds=15         # under valgrind a frame can take seconds: time for each event to be taken in

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
game=$(realpath "${1:-$root/build/quiltrush}")

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash "${BASH_SOURCE[0]}" "$game"
fi
for tool in valgrind xdotool; do
  command -v $tool >/dev/null || { echo "memcheck.sh needs $tool" >&2; exit 2; }
done
[ -x "$game" ] || { echo "no game at $game" >&2; exit 2; }
# The menu's click points (kNewX, kNewY, kExitX, ...) as the game lays them out.
layout=$("$(dirname "$game")/quiltrush-menu-layout") || { echo "no quiltrush-menu-layout beside $game" >&2; exit 2; }
eval "$layout"

run_dir=$(mktemp -d "${TMPDIR:-/tmp}/quiltrush-memcheck-XXXXXX")
ln -s "$root/assets" "$run_dir/assets"
log="$run_dir/memcheck.log"
echo "run folder: $run_dir"

windows_before=$(xdotool search --name "^$kTitle\$" 2>/dev/null || true)
(cd "$run_dir" && LIBGL_ALWAYS_SOFTWARE=1 exec valgrind --tool=memcheck --error-exitcode=1 \
   --track-origins=yes --num-callers=40 --fullpath-after="$root/" \
   --suppressions="$root/tools/memcheck.supp" --leak-check=summary \
   --log-file="$log" "$game") >"$run_dir/output.txt" 2>&1 &
pid=$!

cleanup() {
  if kill -0 $pid 2>/dev/null; then kill $pid 2>/dev/null || true; fi
}
trap cleanup EXIT

window=""
deadline=$((SECONDS + kWindowWaitSeconds))
while [ -z "$window" ]; do
  kill -0 $pid 2>/dev/null || { echo "the game ended before its window appeared" >&2; cat "$log" >&2; exit 1; }
  [ $SECONDS -lt $deadline ] || { echo "no window within $kWindowWaitSeconds s" >&2; exit 2; }
  for candidate in $(xdotool search --name "^$kTitle\$" 2>/dev/null || true); do
    grep -qx "$candidate" <<<"$windows_before" || window=$candidate
  done
  sleep 1
done
# The window shows before the entities are made; under valgrind that takes
# long. From the second timer tick on the debug pass has opened log.txt.
while [ ! -f "$run_dir/log.txt" ]; do
  kill -0 $pid 2>/dev/null || { echo "the game ended before its timer ticked" >&2; exit 1; }
  [ $SECONDS -lt $deadline ] || { echo "no log.txt within $kWindowWaitSeconds s" >&2; exit 2; }
  sleep 1
done
echo "window $window, timer running after $SECONDS s"
sleep $((kStepSeconds * 2))

move() { xdotool mousemove --window "$window" --sync "$1" "$2"; }
click() { move "$1" "$2"; xdotool mousedown 1; sleep 1; xdotool mouseup 1; sleep $kStepSeconds; }
key() { xdotool windowfocus --sync "$window" key "$1"; sleep $kStepSeconds; }

click $kNewX $kNewY
# A click is acted on in the next tick; a press before then could still change the menu's choice.
sleep $((kStepSeconds * 2))
if command -v import >/dev/null; then import -window "$window" "$run_dir/after_new.png" || true; fi
# Grab the cloth and drag it about, tack the grabbed sphere, switch the debug view on and off.
move $kClothX $kClothY; sleep $kStepSeconds
xdotool mousedown 1; sleep $kStepSeconds
for y in 250 230 210 230 260; do move $((kClothX + 20)) $y; sleep 5; done
key space
xdotool mouseup 1; sleep $kStepSeconds
# A picture of play for whoever reads the report (ImageMagick's import, when there).
if command -v import >/dev/null; then import -window "$window" "$run_dir/play.png" || true; fi
key d
key d
# Wheel both ways, an orbit with the right button, a zoom with both.
xdotool click 4; sleep 1; xdotool click 5; sleep 1
xdotool mousedown 3; sleep 1; move 360 240; sleep 1; move 300 240; xdotool mouseup 3; sleep $kStepSeconds
key Escape
click $kExitX $kExitY

deadline=$((SECONDS + kExitWaitSeconds))
while kill -0 $pid 2>/dev/null; do
  [ $SECONDS -lt $deadline ] || { echo "the game did not end within $kExitWaitSeconds s of Exit" >&2; exit 2; }
  sleep 1
done
status=0
wait $pid || status=$?
trap - EXIT

summary=$(grep -E "ERROR SUMMARY" "$log" | tail -n 1)
echo "valgrind: $summary; game exit status $status (1 means valgrind counted errors, ours or the driver's)"
# One report is a block of lines up to the next blank one; ours when its
# first frame outside valgrind's preload library is in our sources.
ours=$(awk '
  /^==[0-9]+== *$/ { if (kind != "" && first ~ /\((framework|game)\/|\(main\.cpp:/) { print kind " at " first; n++ } kind = ""; first = ""; next }
  /(Invalid (read|write|free)|uninitialised|Mismatched free|overlap|unaddressable)/ && kind == "" { kind = $0; sub(/^==[0-9]+== */, "", kind); next }
  kind != "" && first == "" && /^==[0-9]+== +(at|by) 0x/ && $0 !~ /vgpreload_memcheck/ { first = $0; sub(/^==[0-9]+== +(at|by) 0x[0-9A-F]+: /, "", first) }
  END { exit 0 }' "$log" | sort | uniq -c)
if [ -n "$ours" ]; then
  echo "errors in our code:"
  echo "$ours"
  exit 1
fi
[ "$status" -eq 0 ] || grep -q "ERROR SUMMARY: [1-9]" "$log" || { echo "the game ended with status $status" >&2; exit 1; }
echo "no invalid read or write and no uninitialised value in our code"
