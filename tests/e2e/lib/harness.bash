# Shared steps of the end-to-end scripts: each script runs the real game in
# a temporary game folder on its own Xvfb display, drives it with xdotool and
# looks at the screen with ImageMagick's import.
#
#   source "$(dirname "$0")/lib/harness.bash"
#   e2e_start "$0" "$@"     # starts the script's own Xvfb display

e2e_start() {
  shift
  start_display
  BUILD_DIR=$(cd "${1:?usage: $(basename "$script") BUILD_DIR}" && pwd)
  KVTOOL="$BUILD_DIR/tools/kvtool/kvtool"
  [ -x "$BUILD_DIR/carrowmoor" ] || fail "no game binary at $BUILD_DIR/carrowmoor"
  [ -f "$BUILD_DIR/Data/Resource.Kvr" ] || fail "no data at $BUILD_DIR/Data"
  GAME_DIR=$(mktemp -d /tmp/carrowmoor-e2e-XXXXXX)
  cp -r "$BUILD_DIR/Data" "$BUILD_DIR/carrowmoor" "$GAME_DIR/"
  GAME_PID=""
  trap e2e_cleanup EXIT
}

# A display of the script's own, so that scripts can run side by side: Xvfb
# picks a free display number itself and tells it (no race between scripts
# starting at once). -noreset keeps it from dropping a client that connects
# while another disconnects.
start_display() {
  local number
  # The screen is also kept in a file (-fbdir) that watch_screen.py reads.
  FB_DIR=$(mktemp -d /tmp/carrowmoor-e2e-fb-XXXXXX)
  exec {display_fd}< <(Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp \
    -fbdir "$FB_DIR" 2>/dev/null & echo "pid $!"; wait)
  read -r _ XVFB_PID <&"$display_fd"
  read -r -t 20 number <&"$display_fd" || fail "Xvfb did not start"
  export DISPLAY=":$number"
}

# KEEP_GAME_DIR=1 keeps the game folder (log, options, audio) for a look.
e2e_cleanup() {
  stop_game
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "${FB_DIR:-}" ] && rm -rf "$FB_DIR"

  # Scripts may have made parts of the folder read-only.
  [ -n "${GAME_DIR:-}" ] && [ -z "${KEEP_GAME_DIR:-}" ] && chmod -R u+w "$GAME_DIR" 2>/dev/null
  [ -n "${GAME_DIR:-}" ] && [ -z "${KEEP_GAME_DIR:-}" ] && rm -rf "$GAME_DIR"
}

# Ends the game and everything it started (it runs in its own process
# group): politely first, then for good.
stop_game() {
  [ -n "${GAME_PID:-}" ] || return 0
  kill -TERM -- "-$GAME_PID" 2>/dev/null || true
  local i
  for i in $(seq 1 30); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL -- "-$GAME_PID" 2>/dev/null || true
  wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=""
}

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${GAME_DIR:-}" ] && [ -f "$GAME_DIR/shot.png" ]; then
    local keep
    keep=$(mktemp /tmp/carrowmoor-e2e-fail-XXXXXX.png)
    cp "$GAME_DIR/shot.png" "$keep" && echo "last screenshot: $keep" >&2
  fi
  [ -n "${GAME_DIR:-}" ] && [ -f "$GAME_DIR/game.out" ] && sed 's/^/game: /' "$GAME_DIR/game.out" >&2
  exit 1
}

# Starts the game in its folder, heard through SDL's disk audio driver.
# Extra arguments are environment assignments. In a sanitizer build the leak
# check is off for the game: the GL driver's modules are unloaded before it
# runs, so their one-time allocations cannot be told apart by library name;
# memory errors still abort the game.
start_game() { start_in "$GAME_DIR" "$@" ./carrowmoor; }

# The same for any command (environment assignments, then the binary or a
# wrapper around it), run with DIR as the working directory.
start_in() {
  local dir=$1
  shift
  (cd "$dir" && exec setsid env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$GAME_DIR/audio.raw" \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$@" >"$GAME_DIR/game.out" 2>&1) &
  GAME_PID=$!
}

# A prefix for a command that file permissions must bind even when the tests
# run as root: root's power to override them (and to search any folder) is
# dropped.   start_in DIR VAR=value "${OBEY_PERMISSIONS[@]}" BINARY
if [ "$(id -u)" -eq 0 ]; then
  OBEY_PERMISSIONS=(setpriv --bounding-set=-dac_override,-dac_read_search --)
else
  OBEY_PERMISSIONS=()
fi

# Waits (up to $2 seconds, default 20) for a window whose name matches $1;
# prints its id.
wait_for_window() {
  local name=$1 limit=${2:-20} id="" start=$SECONDS
  while [ $((SECONDS - start)) -lt "$limit" ]; do
    id=$(xdotool search --name "$name" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

game_window() {
  WIN=$(wait_for_window '^Carrowmoor version 1.1$' "${1:-20}") || fail "the game window did not appear"
  read_window_size
}

read_window_size() {
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  WIN_W=$WIDTH
  WIN_H=$HEIGHT
  WIN_X=$X
  WIN_Y=$Y
  # The game's picture: as large as fits at 4:3, centred (black bars around
  # it in a window of another shape).
  if [ $((WIN_W * 3)) -gt $((WIN_H * 4)) ]; then
    PIC_H=$WIN_H
    PIC_W=$((WIN_H * 4 / 3))
  else
    PIC_W=$WIN_W
    PIC_H=$((WIN_W * 3 / 4))
  fi
  PIC_X=$((WIN_X + (WIN_W - PIC_W) / 2))
  PIC_Y=$((WIN_Y + (WIN_H - PIC_H) / 2))
}

shot() { import -window root "$GAME_DIR/shot.png" 2>/dev/null; }

# The colour of a screen pixel of the last shot as "r g b" (0..255).
pixel_at() {
  convert "$GAME_DIR/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# Screen pixel of a point of the game's virtual 800 x 600 space (y up).
virtual_to_screen() {
  SX=$((PIC_X + $1 * PIC_W / 800))
  SY=$((PIC_Y + (600 - $2) * PIC_H / 600))
}

# The pixel at virtual (x, y) of the last shot as "r g b".
remember() { virtual_to_screen "$1" "$2"; pixel_at "$SX" "$SY"; }
# A condition over r, g, b: the pixel differs clearly from a remembered one.
differs_from() {
  local r0 g0 b0
  read -r r0 g0 b0 <<<"$1"
  echo "(r-$r0)*(r-$r0) + (g-$g0)*(g-$g0) + (b-$b0)*(b-$b0) > 1200"
}
same_as() { echo "!($(differs_from "$1"))"; }

# Saves the region of the last shot between virtual (x0, y0) and (x1, y1)
# (lower-left and upper-right corners) as $5.
crop_region() {
  virtual_to_screen "$1" "$4"
  local left=$SX top=$SY
  virtual_to_screen "$3" "$2"
  convert "$GAME_DIR/shot.png" -crop "$((SX - left))x$((SY - top))+$left+$top" +repage "$5"
}
# Saves the 60 x 60 virtual-unit square around virtual (x, y) as $3: inside
# one cell, clear of grid lines and hover frames.
crop_cell() { crop_region $(($1 - 30)) $(($2 - 30)) $(($1 + 30)) $(($2 + 30)) "$3"; }
# Root-mean-square difference of two pictures in thousandths of full scale.
picture_difference() {
  local report
  # compare reports differing pictures with exit status 1.
  report=$(compare -metric RMSE "$1" "$2" null: 2>&1 || true)
  sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p' <<<"$report" | awk '{ printf "%d", $1 * 1000 }'
}

# Waits up to 8 s for the cell centred on virtual ($2, $3) to show the
# picture $1 (a cell cropped earlier with crop_cell); false if it never does.
wait_cell_shows() {
  local start=$SECONDS
  while [ $((SECONDS - start)) -lt 8 ]; do
    shot
    crop_cell "$2" "$3" "$GAME_DIR/cell-now.png"
    [ "$(picture_difference "$1" "$GAME_DIR/cell-now.png")" -lt 40 ] && return 0
    sleep 0.1
  done
  return 1
}

# True when the pixel at virtual (x, y) of the last shot satisfies the
# arithmetic condition over r, g and b.
pixel_is() {
  local r g b
  virtual_to_screen "$1" "$2"
  read -r r g b <<<"$(pixel_at "$SX" "$SY")"
  [ -n "$r" ] || return 1
  (( $3 ))
}

# Takes shots until the condition holds at virtual (x, y), for up to $4
# seconds (default 15); fails with $5.
wait_pixel() {
  local limit=${4:-15} start=$SECONDS
  while [ $((SECONDS - start)) -lt "$limit" ]; do
    shot
    pixel_is "$1" "$2" "$3" && return 0
    game_running || fail "the game ended while waiting: ${5:-pixel at $1,$2}"
    sleep 0.1
  done
  fail "timed out: ${5:-pixel at $1,$2 never met $3}"
}

game_running() { [ -n "${GAME_PID:-}" ] && kill -0 "$GAME_PID" 2>/dev/null; }

# Left click (or button $3) at virtual (x, y).
click_at() {
  virtual_to_screen "$1" "$2"
  xdotool mousemove "$SX" "$SY" sleep 0.05 click "${3:-1}"
}

move_to() {
  virtual_to_screen "$1" "$2"
  xdotool mousemove "$SX" "$SY"
}

press() { xdotool windowfocus --sync "$WIN" 2>/dev/null || true; xdotool key --delay 60 "$@"; }

type_text() { xdotool windowfocus --sync "$WIN" 2>/dev/null || true; xdotool type --delay 80 "$1"; }

# Waits up to $1 seconds for the game to end; sets EXIT_STATUS.
wait_exit() {
  local limit=${1:-20} start=$SECONDS
  while game_running && [ $((SECONDS - start)) -lt "$limit" ]; do
    sleep 0.1
  done
  game_running && fail "the game did not end within $limit s"
  EXIT_STATUS=0
  wait "$GAME_PID" || EXIT_STATUS=$?
  GAME_PID=""
}

# The options file unscrambled into config text.
options_text() { "$KVTOOL" unscramble "$GAME_DIR/Data/System.Cfg" /dev/stdout; }

# Scrambles config text ($1) into the options file.
write_options() {
  printf '%s' "$1" >"$GAME_DIR/options.txt"
  "$KVTOOL" scramble "$GAME_DIR/options.txt" "$GAME_DIR/Data/System.Cfg" >/dev/null ||
    fail "kvtool could not scramble the options"
}

# Colour tests used by several scripts.
MENU_BUTTON='r < 32 && g > r + 35 && b > r + 35'   # the teal menu buttons
LOADING_RED='r > 150 && g < 60 && b < 60'
