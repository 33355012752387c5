#!/usr/bin/env bash
# Builds the parsers' fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs them one at a time.
#
#   bash fuzz/run.sh SECONDS [TARGET...]      fuzz each target for SECONDS (targets: bmp ase level wav;
#                                             default all); build in build-fuzz/ or $FUZZ_BUILD_DIR
#   bash fuzz/run.sh --build BUILD_DIR        only build (the test suite's set-up)
#   bash fuzz/run.sh --check BUILD_DIR TARGET replay the target's seeds and make a short run with a
#                                             fixed random seed (the test suite's check)
#
# Seeds: fuzz/corpus/TARGET/ plus the shipped assets (assets/**/*.bmp,
# assets/models/*.ase, assets/models/gameData.txt, assets/sounds/*.wav).
# Inputs that crash land in BUILD_DIR/artifacts/; new interesting inputs in BUILD_DIR/corpus/TARGET/.
# Exits 77 (skipped) when clang or libFuzzer is missing.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

declare -A binary=([bmp]=BmpFuzzer [ase]=AseFuzzer [level]=LevelFuzzer [wav]=WavFuzzer)
declare -A maxLength=([bmp]=16384 [ase]=65536 [level]=4096 [wav]=8192)  # bytes; larger seeds are cut to this
checkRuns=10000       # mutations after the seed replay in --check
checkSeconds=20       # ...but never longer than this
timeoutSeconds=10     # one input taking longer is a finding (a loop that does not end)

have_toolchain() {
  command -v clang++ >/dev/null 2>&1 || return 1
  local probe
  probe=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/probe.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1
  local status=$?
  rm -rf "$probe"
  return $status
}

build() {
  local dir=$1
  cmake -S "$root/fuzz" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$dir" -j 2
}

# Gathers the seeds of one target into a folder of its own.
seeds() {
  local dir=$1 target=$2
  local into="$dir/seeds/$target"
  rm -rf "$into"
  mkdir -p "$into"
  cp "$root/fuzz/corpus/$target/"* "$into/"
  local assets=()
  case $target in
    bmp) mapfile -t assets < <(find "$root/assets" -name '*.bmp' 2>/dev/null) ;;
    ase) mapfile -t assets < <(find "$root/assets/models" -maxdepth 1 -name '*.ase' 2>/dev/null) ;;
    wav) mapfile -t assets < <(find "$root/assets/sounds" -maxdepth 1 -name '*.wav' 2>/dev/null) ;;
    level) [ -f "$root/assets/models/gameData.txt" ] && assets=("$root/assets/models/gameData.txt") ;;
  esac
  local file
  for file in "${assets[@]}"; do
    cp "$file" "$into/asset_$(echo "${file#"$root"/assets/}" | tr '/' '_')"
  done
  echo "$into"
}

# fuzz DIR TARGET CORPUS [libFuzzer flags...]
fuzz() {
  local dir=$1 target=$2 corpus=$3
  shift 3
  mkdir -p "$corpus" "$dir/artifacts"
  local seedDir
  seedDir=$(seeds "$dir" "$target")
  "$dir/${binary[$target]}" "$@" \
    -max_len="${maxLength[$target]}" -timeout="$timeoutSeconds" -close_fd_mask=1 \
    -print_final_stats=1 -artifact_prefix="$dir/artifacts/$target-" \
    "$corpus" "$seedDir"
}

known_target() {
  [ -n "${binary[$1]:-}" ] || { echo "unknown target '$1' (bmp, ase, level, wav)" >&2; exit 2; }
}

case "${1:-}" in
  --build)
    have_toolchain || { echo "clang with libFuzzer not found: fuzz targets skipped"; exit 77; }
    build "$2" || exit 1
    ;;
  --check)
    have_toolchain || { echo "clang with libFuzzer not found: fuzz targets skipped"; exit 77; }
    dir=$2 target=$3
    known_target "$target"
    [ -x "$dir/${binary[$target]}" ] || build "$dir" || exit 1
    rm -rf "$dir/check/$target"
    # Any failure is a failure here, whatever code libFuzzer chose for it.
    fuzz "$dir" "$target" "$dir/check/$target" -seed=1 -runs="$checkRuns" -max_total_time="$checkSeconds" || exit 1
    ;;
  ''|-*)
    awk 'NR > 1 && !/^#/ { exit } NR > 1 { sub(/^# ?/, ""); print }' "$0"
    exit 2
    ;;
  *)
    seconds=$1
    shift
    targets=("$@")
    [ ${#targets[@]} -eq 0 ] && targets=(bmp ase level wav)
    for target in "${targets[@]}"; do known_target "$target"; done
    have_toolchain || { echo "clang with libFuzzer not found (apt-get install clang libclang-rt-14-dev)" >&2; exit 77; }
    dir=${FUZZ_BUILD_DIR:-$root/build-fuzz}
    build "$dir" || exit 1
    failed=0
    for target in "${targets[@]}"; do
      mkdir -p "$dir/logs"
      echo "== $target: $seconds s, log in $dir/logs/$target.log"
      fuzz "$dir" "$target" "$dir/corpus/$target" -max_total_time="$seconds" >"$dir/logs/$target.log" 2>&1 || failed=1
      grep -E '^(#[0-9]+[[:space:]]+DONE|stat::|==[0-9]+==ERROR|SUMMARY|Test unit written)' "$dir/logs/$target.log"
    done
    exit $failed
    ;;
esac
