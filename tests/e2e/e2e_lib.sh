# Shared by the end-to-end scripts that play the game: starts the real
# executable in a temporary directory that sees the project's assets, finds its
# window, drives it with xdotool as a player would, and measures screenshots
# with ImageMagick. Sourced, not run.
#
# A script calls e2e_begin "$@" with QUILTRUSH CLOSE_WINDOW SOURCE_DIR, then
# e2e_start. Everything else fails the script through e2e_fail, which keeps
# the screenshots in e2e-failures/<script>/ under the working directory.
# Exit status: 0 passed, 1 failed, 77 skipped (no X display).
#
# The constants and results below are read by the scripts that source this.
# shellcheck disable=SC2034

readonly kSkipped=77
readonly kTitle='OpenGL GLUT Application'
readonly kExpectedGeometry='640x480'
readonly kWindowWaitSeconds=20
readonly kLogWaitSeconds=10
# Every wait for something on screen or for the process gives up after this.
readonly kScreenWaitSeconds=10
readonly kExitWaitSeconds=10
readonly kCommandTimeoutSeconds=20
# A few 16 ms frames, so that the picture shows the last input.
readonly kSettleSeconds=0.2
readonly kPollSeconds=0.2

# Menu button centres in window pixels on a 640 x 480 window (kNewX, kNewY,
# kManualX, ..., kExitY) come from quiltrush-menu-layout, built beside the
# game, which prints the game's own numbers; e2e_begin reads them.

# Where the mouse rests before every screenshot that is compared with
# another. Each screen draws its own 32 x 32 cursor there, right of the
# manual's pictures and clear of every region measured below.
readonly kParkX=620 kParkY=200

# Screenshot regions, WxH+X+Y in window pixels from the top-left corner.
readonly kTitleRegion='512x128+64+10'
readonly kBackgroundRegion='60x60+0+420'
readonly kBallRegion='200x200+220+140'
readonly kWholeWindow='640x480+0+0'
# 100 x 100 squares in the middle of the manual's five pictures: centre,
# top-left, top-right, bottom-left, bottom-right. The credits picture is the
# centre one.
readonly kPictureRegions=('100x100+270+190' '100x100+70+40' '100x100+470+40' '100x100+70+340' '100x100+470+340')
# 200 x 30 inside the pictures of the four menu buttons, New to Exit.
readonly kButtonRegions=('200x30+220+149' '200x30+220+233' '200x30+220+317' '200x30+220+401')

# Thresholds. Colour figures are per mille of full intensity, so that the
# checks need only the shell's integer arithmetic.
readonly kMinTitleGoldPixels=4000
readonly kMinButtonRedOverBlue=150
readonly kMinBackgroundBlueOverRed=60
readonly kMinBackgroundDeviation=15
readonly kMinPictureBrightness=700
readonly kMaxBackgroundBrightness=400
readonly kMinBallPixels=150
readonly kMaxRedPixelsOffPlay=20
# Pixels, of 640 x 480, that must change between two different screens (15 %),
# and that may change between two shots of the same screen (0.1 %, less than a
# cursor drawn somewhere else).
readonly kMinChangedPixels=46080
readonly kMaxUnchangedPixels=300
readonly kColourFuzz='3%'

e2e_game=""
# A script may start the game with arguments, from another folder than the
# run folder, and expect log.txt in a third (as the launcher does).
e2e_game_args=()
e2e_start_dir=""
e2e_log_dir=""
e2e_close_window=""
e2e_source_dir=""
e2e_run_dir=""
e2e_pid=""
e2e_window=""
e2e_status=""
# What the last check measured, for the test's output.
e2e_figures=""

e2e_cleanup() {
  if [ -n "$e2e_pid" ] && kill -0 "$e2e_pid" 2>/dev/null; then
    kill -9 "$e2e_pid" 2>/dev/null || true
    wait "$e2e_pid" 2>/dev/null || true
  fi
  if [ -n "$e2e_run_dir" ]; then rm -rf "$e2e_run_dir"; fi
}

e2e_fail() {
  echo "FAILED: $*" >&2
  if [ -s "$e2e_run_dir/output.txt" ]; then
    echo "--- the game's output:" >&2
    cat "$e2e_run_dir/output.txt" >&2
  fi
  if [ -s "$e2e_run_dir/log.txt" ]; then
    echo "--- log.txt (last lines):" >&2
    tail -n 20 "$e2e_run_dir/log.txt" >&2
  fi
  local kept
  kept="$PWD/e2e-failures/$(basename "$0" .sh)"
  if compgen -G "$e2e_run_dir/*.ppm" >/dev/null; then
    rm -rf "$kept" && mkdir -p "$kept" && cp "$e2e_run_dir"/*.ppm "$kept"/ &&
      echo "--- screenshots kept in $kept" >&2
  fi
  exit 1
}

# e2e_begin QUILTRUSH CLOSE_WINDOW SOURCE_DIR
e2e_begin() {
  if [ $# -ne 3 ]; then
    echo "usage: $(basename "$0") QUILTRUSH CLOSE_WINDOW SOURCE_DIR" >&2
    exit 2
  fi
  e2e_game=$(realpath "$1")
  local layout
  layout=$("$(dirname "$e2e_game")/quiltrush-menu-layout") || { echo "no quiltrush-menu-layout beside the game" >&2; exit 2; }
  eval "$layout"
  e2e_close_window=$(realpath "$2")
  e2e_source_dir=$(realpath "$3")
  if [ -z "${DISPLAY:-}" ]; then
    echo "skipped: no X display (run the tests under xvfb-run)"
    exit $kSkipped
  fi
  e2e_run_dir=$(mktemp -d "${TMPDIR:-/tmp}/quiltrush-e2e-XXXXXX")
  trap e2e_cleanup EXIT
  # The game reads assets/ from its working directory and writes log.txt there.
  ln -s "$e2e_source_dir/assets" "$e2e_run_dir/assets"
}

e2e_windows_before=""
e2e_find_new_window() {
  local candidate
  for candidate in $(xdotool search --name "^$kTitle\$" 2>/dev/null || true); do
    if ! grep -qx "$candidate" <<<"$e2e_windows_before"; then
      echo "$candidate"
      return 0
    fi
  done
  return 1
}

# Starts the game, waits for its own window (freeglut sets no _NET_WM_PID, so
# a window with the title that was not there before is ours) and for the first
# ticks of its timer.
e2e_start() {
  e2e_windows_before=$(xdotool search --name "^$kTitle\$" 2>/dev/null || true)
  (cd "${e2e_start_dir:-$e2e_run_dir}" && exec "$e2e_game" "${e2e_game_args[@]}") >"$e2e_run_dir/output.txt" 2>&1 &
  e2e_pid=$!
  local deadline=$((SECONDS + kWindowWaitSeconds))
  until e2e_window=$(e2e_find_new_window); do
    e2e_expect_running "before its window appeared"
    [ $SECONDS -lt $deadline ] || e2e_fail "no new window titled '$kTitle' within $kWindowWaitSeconds s"
    sleep 0.1
  done
  local geometry
  geometry=$(xdotool getwindowgeometry "$e2e_window" | sed -n 's/^ *Geometry: *//p')
  [ "$geometry" = "$kExpectedGeometry" ] || e2e_fail "window is '$geometry', expected $kExpectedGeometry"
  # From the second tick on the debug pass opens the log.
  deadline=$((SECONDS + kLogWaitSeconds))
  until [ -f "${e2e_log_dir:-$e2e_run_dir}/log.txt" ]; do
    e2e_expect_running "before its timer ticked twice"
    [ $SECONDS -lt $deadline ] || e2e_fail "no log.txt within $kLogWaitSeconds s: the timer loop is not running"
    sleep 0.1
  done
  echo "window $e2e_window, game process $e2e_pid"
}

e2e_expect_running() {
  kill -0 "$e2e_pid" 2>/dev/null || e2e_fail "the game ended by itself $1"
}

e2e_xdotool() {
  timeout $kCommandTimeoutSeconds xdotool "$@" || e2e_fail "xdotool $* did not work"
}

e2e_move() {
  e2e_xdotool mousemove --window "$e2e_window" --sync "$1" "$2"
}

# Moves off the resting place and back, so that the screen on show gets a
# motion event even when the pointer was already there, and lets it draw.
e2e_park() {
  e2e_move $((kParkX + 1)) $((kParkY + 1))
  e2e_move $kParkX $kParkY
  sleep $kSettleSeconds
}

# e2e_click X Y [BUTTON]: press and release a mouse button at a window point.
e2e_click() {
  e2e_move "$1" "$2"
  e2e_xdotool mousedown "${3:-1}"
  e2e_xdotool mouseup "${3:-1}"
}

# e2e_key KEY: a real key press and release, with the keyboard focus given to
# the game's window first so that the key cannot reach any other window.
e2e_key() {
  e2e_xdotool windowfocus --sync "$e2e_window" key "$1"
}

# e2e_shot NAME: a fresh screenshot of the window; its path goes to e2e_shot_file.
e2e_shot_file=""
e2e_shot() {
  e2e_shot_file="$e2e_run_dir/$1.ppm"
  # The new picture replaces any figures of the old one by that name.
  if [ "$e2e_shot_file" = "$e2e_measured_file" ]; then e2e_measured_file=""; fi
  timeout $kCommandTimeoutSeconds import -silent -window "$e2e_window" "$e2e_shot_file" ||
    e2e_fail "could not take a screenshot of window $e2e_window"
}

# e2e_mask_args R G B: convert options that turn an image into one grey
# mask, white where every channel passes its condition; e2e_args gets them. A
# condition is '>P' or '<P' (P percent of full intensity).
e2e_mask_args() {
  local channel condition
  e2e_args=()
  for channel in R G B; do
    condition=$1
    shift
    e2e_args+=(-channel "$channel" -threshold "${condition:1}%")
    if [ "${condition:0:1}" = '<' ]; then e2e_args+=(-negate); fi
  done
  e2e_args+=(+channel -separate -evaluate-sequence min)
}

# e2e_isqrt N: the integer square root of N into e2e_root.
e2e_isqrt() {
  local n=$1 next
  e2e_root=$n
  ((n > 1)) || return 0
  next=$(((n + 1) / 2))
  while ((next < e2e_root)); do
    e2e_root=$next
    next=$(((e2e_root + n / e2e_root) / 2))
  done
}

# Figures of the last measured screenshot, by name. Counts of pixels:
# gold_title (the title's letters), red_middle and red_window (the ball's
# plain red). Per mille "red green blue brightness" of regions: background,
# button0..3, picture0..4. Per mille standard deviation: background_deviation.
declare -A e2e_measured=()
e2e_measured_file=""
# 16-bit channel values, "red green blue", of the plain regions.
declare -A e2e_raw=()
readonly kFullScale=65535 kHalfScale=32767

# e2e_add_region NAME count|colour REGION [OPTIONS...]: one more region for
# e2e_measure, turned by the convert options into a mask whose white pixels
# are counted, or into colours that are averaged.
e2e_add_region() {
  local name=$1 kind=$2 region=$3 size
  shift 3
  size=${region%%+*}
  e2e_names+=("$name")
  if [ "$kind" = count ]; then e2e_areas+=($((${size%x*} * ${size#*x}))); else e2e_areas+=(0); fi
  e2e_parts+=('(' -clone 0 -crop "$region" +repage "$@" -scale '1x1!' ')')
}

# e2e_measure FILE: every figure of one screenshot, in one run of convert.
# Each region is averaged down to one pixel (a mask's average is the share of
# its white pixels); the pixels are printed side by side as 16-bit values.
e2e_measure() {
  [ "$1" != "$e2e_measured_file" ] || return 0
  local gold red i
  e2e_names=() e2e_areas=() e2e_parts=()
  e2e_mask_args '>70' '>45' '<45'
  gold=("${e2e_args[@]}")
  e2e_mask_args '>80' '<10' '<10'
  red=("${e2e_args[@]}")
  e2e_add_region gold_title count "$kTitleRegion" "${gold[@]}"
  e2e_add_region red_middle count "$kBallRegion" "${red[@]}"
  e2e_add_region red_window count "$kWholeWindow" "${red[@]}"
  e2e_add_region background colour "$kBackgroundRegion"
  e2e_add_region background_squares colour "$kBackgroundRegion" -evaluate pow 2
  for i in 0 1 2 3; do e2e_add_region "button$i" colour "${kButtonRegions[$i]}"; done
  for i in 0 1 2 3 4; do e2e_add_region "picture$i" colour "${kPictureRegions[$i]}"; done

  local lines=() pixel='^([0-9]+),0: \(([0-9]+),([0-9]+),([0-9]+)\)' r g b
  mapfile -t lines < <(convert "$1" "${e2e_parts[@]}" -delete 0 +append -colorspace sRGB -type TrueColor \
    -depth 16 txt:- 2>&1)
  e2e_measured=() e2e_raw=()
  e2e_measured_file=""
  for i in "${!e2e_names[@]}"; do
    # Line 0 is the header; pixel i is on line i + 1.
    if ! [[ "${lines[$((i + 1))]:-}" =~ $pixel ]] || [ "${BASH_REMATCH[1]}" != "$i" ]; then
      e2e_figures="convert could not measure $1: ${lines[*]}"
      return 1
    fi
    r=${BASH_REMATCH[2]} g=${BASH_REMATCH[3]} b=${BASH_REMATCH[4]}
    if ((e2e_areas[i] > 0)); then
      e2e_measured[${e2e_names[$i]}]=$(((r * e2e_areas[i] + kHalfScale) / kFullScale))
    else
      e2e_raw[${e2e_names[$i]}]="$r $g $b"
      e2e_measured[${e2e_names[$i]}]="$(((r * 1000 + kHalfScale) / kFullScale)) $(((g * 1000 + kHalfScale) / kFullScale))"
      e2e_measured[${e2e_names[$i]}]+=" $(((b * 1000 + kHalfScale) / kFullScale)) $(((r + g + b) * 1000 / 3 / kFullScale))"
    fi
  done
  e2e_measure_deviation
  e2e_measured_file=$1
}

# The background's standard deviation from its mean and mean square: the
# root of the channels' average variance, per mille.
e2e_measure_deviation() {
  local means squares variance=0 i
  read -r -a means <<<"${e2e_raw[background]}"
  read -r -a squares <<<"${e2e_raw[background_squares]}"
  for i in 0 1 2; do
    variance=$((variance + squares[i] * kFullScale - means[i] * means[i]))
  done
  ((variance > 0)) || variance=0
  # From three channels in units of full scale squared to per mille squared.
  e2e_isqrt $((variance * 1000000 / (3 * kFullScale * kFullScale)))
  e2e_measured[background_deviation]=$e2e_root
}

# e2e_changed_pixels FILE_A FILE_B: the number of pixels that differ by more
# than the colour fuzz, or -1 when they could not be compared.
e2e_changed_pixels() {
  local count
  # compare reports the count on standard error and exits 1 when they differ.
  count=$(compare -metric AE -fuzz "$kColourFuzz" "$1" "$2" null: 2>&1 || true)
  if [[ "$count" =~ ^[0-9]+$ ]]; then echo "$count"; else echo -1; fi
}

# --- what the screens look like. Each check sets e2e_figures and succeeds or fails.

# The menu: golden title letters, the four red buttons and the blue quilt of
# the background, which the clear colour (0.1, 0.1, 0.1) is not.
e2e_is_menu() {
  e2e_measure "$1" || return 1
  local ok=0 gold r g b mean deviation i
  gold=${e2e_measured[gold_title]}
  e2e_figures="title gold pixels $gold (want >= $kMinTitleGoldPixels); button red - blue"
  ((gold >= kMinTitleGoldPixels)) || ok=1
  for i in 0 1 2 3; do
    read -r r g b mean <<<"${e2e_measured[button$i]}"
    e2e_figures+=" $((r - b))"
    ((r - b >= kMinButtonRedOverBlue)) || ok=1
  done
  e2e_figures+=" (want >= $kMinButtonRedOverBlue)"
  read -r r g b mean <<<"${e2e_measured[background]}"
  deviation=${e2e_measured[background_deviation]}
  e2e_figures+="; background rgb $r $g $b, blue - red $((b - r)) (want >= $kMinBackgroundBlueOverRed)"
  e2e_figures+=", deviation $deviation (want >= $kMinBackgroundDeviation)"
  ((b - r >= kMinBackgroundBlueOverRed)) || ok=1
  ((deviation >= kMinBackgroundDeviation)) || ok=1
  return $ok
}

# e2e_picture_brightness: the brightness of the five picture regions of the
# measured shot, into e2e_brightness.
e2e_picture_brightness() {
  local i r g b mean
  e2e_brightness=()
  for i in 0 1 2 3 4; do
    read -r r g b mean <<<"${e2e_measured[picture$i]}"
    e2e_brightness+=("$mean")
  done
}

# The manual: five light picture cards, one in the middle and one in each quarter.
e2e_is_manual() {
  e2e_measure "$1" || return 1
  local value ok=0
  e2e_picture_brightness
  e2e_figures="picture brightness ${e2e_brightness[*]} (want all >= $kMinPictureBrightness)"
  for value in "${e2e_brightness[@]}"; do
    ((value >= kMinPictureBrightness)) || ok=1
  done
  return $ok
}

# The credits: one light card in the middle and background where the manual
# has its other four.
e2e_is_credits() {
  e2e_measure "$1" || return 1
  local value ok=0
  e2e_picture_brightness
  e2e_figures="picture brightness ${e2e_brightness[*]}"
  e2e_figures+=" (want the first >= $kMinPictureBrightness, the others < $kMaxBackgroundBrightness)"
  ((e2e_brightness[0] >= kMinPictureBrightness)) || ok=1
  for value in "${e2e_brightness[@]:1}"; do
    ((value < kMaxBackgroundBrightness)) || ok=1
  done
  return $ok
}

# Play: the ball's plain red, which the camera keeps in the middle of the window.
e2e_shows_ball() {
  e2e_measure "$1" || return 1
  local middle=${e2e_measured[red_middle]} whole=${e2e_measured[red_window]}
  e2e_figures="red pixels $middle in the middle, $whole in the window (want >= $kMinBallPixels in the middle)"
  ((middle >= kMinBallPixels))
}

# No ball: almost nothing of its red anywhere.
e2e_shows_no_ball() {
  e2e_measure "$1" || return 1
  local whole=${e2e_measured[red_window]}
  e2e_figures="red pixels $whole in the window (want <= $kMaxRedPixelsOffPlay)"
  ((whole <= kMaxRedPixelsOffPlay))
}

# e2e_same_as REFERENCE FILE: the two shots show the same picture.
e2e_same_as() {
  local changed
  changed=$(e2e_changed_pixels "$1" "$2")
  e2e_figures="$changed pixels differ from $(basename "$1") (want 0 to $kMaxUnchangedPixels)"
  ((changed >= 0 && changed <= kMaxUnchangedPixels))
}

# e2e_differs_from MIN REFERENCE FILE: at least MIN pixels differ between
# the two shots.
e2e_differs_from() {
  local changed
  changed=$(e2e_changed_pixels "$2" "$3")
  e2e_figures="$changed pixels differ from $(basename "$2") (want >= $1)"
  ((changed >= $1))
}

# e2e_is_menu_as REFERENCE FILE: the menu, pixel for pixel as in REFERENCE
# (taken with the mouse at the same place).
e2e_is_menu_as() {
  local ok=0 menu_figures
  e2e_is_menu "$2" || ok=1
  menu_figures=$e2e_figures
  e2e_same_as "$1" "$2" || ok=1
  e2e_figures="$menu_figures; $e2e_figures"
  return $ok
}

# e2e_expect NAME WHAT CHECK [ARGS...]: takes screenshots NAME until
# CHECK ARGS... SHOT succeeds, for at most kScreenWaitSeconds, then fails the
# test with WHAT and the last figures. The passing shot stays in e2e_shot_file.
e2e_expect() {
  local name=$1 what=$2
  shift 2
  local deadline=$((SECONDS + kScreenWaitSeconds))
  while true; do
    e2e_expect_running "while waiting for: $what"
    e2e_shot "$name"
    if "$@" "$e2e_shot_file"; then
      echo "seen $what ($name): $e2e_figures"
      return 0
    fi
    [ $SECONDS -lt $deadline ] || e2e_fail "$what not seen within $kScreenWaitSeconds s ($name): $e2e_figures"
    sleep $kPollSeconds
  done
}

# e2e_wait_for_exit WHAT: waits for the game to end after WHAT; sets e2e_status.
e2e_wait_for_exit() {
  local deadline=$((SECONDS + kExitWaitSeconds))
  while kill -0 "$e2e_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || e2e_fail "the game still runs $kExitWaitSeconds s after $1"
    sleep 0.1
  done
  e2e_status=0
  wait "$e2e_pid" || e2e_status=$?
  e2e_pid=""
}

# Closes the window the way a window manager's close button does, and expects
# the game to end with status 0 and its window to be gone.
e2e_close_and_expect_exit() {
  "$e2e_close_window" "$e2e_window" || e2e_fail "could not send WM_DELETE_WINDOW to window $e2e_window"
  e2e_wait_for_exit "its window was closed"
  [ "$e2e_status" -eq 0 ] || e2e_fail "the game ended with status $e2e_status after its window was closed"
  if xdotool search --name "^$kTitle\$" 2>/dev/null | grep -qx "$e2e_window"; then
    e2e_fail "window $e2e_window is still there"
  fi
}

# Neither an exception in the log nor the level file's error on the output.
e2e_expect_clean_log() {
  if grep -q '(EXCEPTION)' "$e2e_run_dir/log.txt" 2>/dev/null; then
    e2e_fail "the log reports an exception: $(cat "$e2e_run_dir/log.txt")"
  fi
  if grep -q 'Error reading data' "$e2e_run_dir/output.txt" 2>/dev/null; then
    e2e_fail "the game could not read its level file"
  fi
}
