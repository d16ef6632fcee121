#!/usr/bin/env bash
# The player's own files damaged: an options file that lost its first half
# (so it has no BeginLevel) and a score file of random bytes. The game starts,
# keeps the damaged score file as TP.Kv.bad beside a fresh table of ten
# entries, and New game shows the board of level 1 (hand-made levels draw
# their grid); the log holds no error record.
#   bash damaged_files.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

# True when a grid line (a dark pixel) crosses the row at virtual (x, y),
# within two screen pixels of x.
grid_line_at() {
  local r g b dx
  virtual_to_screen "$1" "$2"
  for dx in -2 -1 0 1 2; do
    read -r r g b <<<"$(pixel_at $((SX + dx)) "$SY")"
    [ -n "$r" ] && [ "$r" -lt 60 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ] && return 0
  done
  return 1
}

# The second half of a default options file: it starts in the middle of a
# line and has no BeginLevel, which reads as 0.
write_options "$(printf 'ic=1\nMusicVolume=50\nScreenRes=1\nSelectEffect=0\nShadowDetail=1\nSkinIndex=0\nSound=1\nSoundVolume=150\nWaterDetail=1\n')"
cp "$GAME_DIR/Data/System.Cfg" "$GAME_DIR/options.before"
# Random bytes; about one draw in 25 happens to start with a readable record,
# so draw until kvtool finds none.
while
  head -c 4000 /dev/urandom >"$GAME_DIR/Data/TP.Kv"
  "$KVTOOL" scores "$GAME_DIR/Data/TP.Kv" >/dev/null 2>&1
do :; done
cp "$GAME_DIR/Data/TP.Kv" "$GAME_DIR/scores.before"

start_game
game_window
wait_pixel 330 176 "$MENU_BUTTON" 20 "the menu did not appear"

cmp -s "$GAME_DIR/scores.before" "$GAME_DIR/Data/TP.Kv.bad" ||
  fail "the damaged score file was not kept as TP.Kv.bad"
[ "$("$KVTOOL" scores "$GAME_DIR/Data/TP.Kv" | grep -c ' \.\.\. ')" = 10 ] ||
  fail "TP.Kv does not hold the ten default entries"

click_at 400 384                       # New game
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "New game did not leave the menu"
# Level 1 is 6 x 5 cells centred on the screen: its grid lines lie at
# x = 240, 320, ... between y 100 and 500. Generated levels draw none.
start=$SECONDS
seen=0
while [ $((SECONDS - start)) -lt 10 ]; do
  shot
  if grid_line_at 240 300 && grid_line_at 560 300; then
    seen=1
    break
  fi
  game_running || fail "the game ended after New game"
  sleep 0.2
done
[ "$seen" = 1 ] || fail "New game did not show the board of level 1"
pixel_is 400 20 'r < 40 && g < 60 && b < 60' || fail "the status bar is not shown"

game_running || fail "the game did not keep running"
cmp -s "$GAME_DIR/options.before" "$GAME_DIR/Data/System.Cfg" ||
  fail "the options file was rewritten"
grep -q 'Error:' "$GAME_DIR/Report.html" && fail "the log holds an error record"
grep -q 'TP.Kv.bad' "$GAME_DIR/Report.html" || fail "the log does not tell where the scores went"
echo "PASS: damaged options and score files"
