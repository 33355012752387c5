#!/usr/bin/env bash
# Prints a figure of an earlier commit and of this tree, one after the other in
# one run, so both come from the same machine load.
#   bash bench/compare.sh [base-commit] [benchmark filter]
#       the cloth tick benchmark (default filter BM_ClothTick)
#   bash bench/compare.sh --search [base-commit]
#       the wall time of quiltrush-find-playthrough's default search, both
#       finders on the base's level, under a virtual X server of their own
# The base (default: main) is checked out as a detached git worktree under
# /tmp and built into its own folder beside this tree's build/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
mode=bench
if [ "${1:-}" = --search ]; then mode=search; shift; fi
base="${1:-main}"
filter="${2:-BM_ClothTick}"
baseRev="$(git -C "$here" rev-parse --short "$base")"
baseTree="/tmp/quiltrush-bench-$baseRev"
target=physics_bench
[ "$mode" = search ] && target=quiltrush-find-playthrough
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-/work}" CCACHE_NOHASHDIR=true
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

build() {  # source folder, build folder
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILTRUSH_TESTS=OFF "${launcher[@]}" >/dev/null
  cmake --build "$2" -j2 --target "$target" >/dev/null
}

if [ ! -d "$baseTree" ]; then
  git -C "$here" worktree add --detach "$baseTree" "$baseRev" >/dev/null
fi
build "$baseTree" "$baseTree/build-bench"
build "$here" "$here/build-bench"

# The search writes its plan's timeline to a scratch file; the level is the
# base's, so that both finders search the same course.
search() {  # finder
  local out
  out="$(mktemp)"
  (cd "$baseTree" && xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
    /usr/bin/time -f "wall %e s, user %U s, system %S s" "$1" --out "$out" 2>&1 | grep -E '^plan|^wall' | tail -2)
  rm -f "$out"
}

for side in before after; do
  if [ "$side" = before ]; then tree="$baseTree"; label="before ($baseRev)"
  else tree="$here"; label="after ($(git -C "$here" rev-parse --short HEAD)$(git -C "$here" diff --quiet HEAD || echo '+changes'))"; fi
  echo "== $label"
  if [ "$mode" = search ]; then
    search "$tree/build-bench/quiltrush-find-playthrough"
  else
    "$tree/build-bench/physics_bench" --benchmark_filter="$filter" --benchmark_repetitions=9 \
      --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^Benchmark|^---'
  fi
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
