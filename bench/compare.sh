#!/usr/bin/env bash
# Prints the cloth tick benchmark of an earlier commit and of this tree, one
# after the other in one run, so both figures come from the same machine load.
#   bash bench/compare.sh [base-commit] [benchmark filter]
# The base (default: main) is checked out as a detached git worktree under
# /tmp and built into its own folder beside this tree's build/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
base="${1:-main}"
filter="${2:-BM_ClothTick}"
baseRev="$(git -C "$here" rev-parse --short "$base")"
baseTree="/tmp/quiltrush-bench-$baseRev"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-/work}" CCACHE_NOHASHDIR=true
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

build() {  # source folder, build folder
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILTRUSH_TESTS=OFF "${launcher[@]}" >/dev/null
  cmake --build "$2" -j2 --target physics_bench >/dev/null
}

if [ ! -d "$baseTree" ]; then
  git -C "$here" worktree add --detach "$baseTree" "$baseRev" >/dev/null
fi
build "$baseTree" "$baseTree/build-bench"
build "$here" "$here/build-bench"

for side in before after; do
  if [ "$side" = before ]; then binary="$baseTree/build-bench/physics_bench"; label="before ($baseRev)"
  else binary="$here/build-bench/physics_bench"; label="after ($(git -C "$here" rev-parse --short HEAD)$(git -C "$here" diff --quiet HEAD || echo '+changes'))"; fi
  echo "== $label"
  "$binary" --benchmark_filter="$filter" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true 2>/dev/null \
    | grep -E '_median|^Benchmark|^---'
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
