#!/usr/bin/env bash
# A window dragged to another shape keeps a 4:3 picture with black bars, and
# a click still lands on the cell drawn under it: the block beside the gap,
# clicked where it shows in a wide window, slides into the gap.
#   bash resize_window.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

write_options 'BeginLevel = 5
DifficultyLevel = 1
Hints = 0
ScreenRes = 1
ColorDepth = 32
FullScreen = 0
Sound = 0
Music = 0
SoundVolume = 150
MusicVolume = 50
'
black_at() {
  local r g b
  read -r r g b <<<"$(pixel_at "$1" "$2")"
  [ -n "$r" ] && [ $((r + g + b)) -lt 30 ]
}
resize_to() {
  xdotool windowsize "$WIN" "$1" "$2"
  local start=$SECONDS
  while [ $((SECONDS - start)) -lt 5 ]; do
    read_window_size
    [ "$WIN_W" = "$1" ] && [ "$WIN_H" = "$2" ] && break
    sleep 0.1
  done
  [ "$WIN_W" = "$1" ] && [ "$WIN_H" = "$2" ] || fail "the window did not take the size $1 x $2"
  sleep 0.5
}

start_game
game_window
wait_pixel 330 176 "$MENU_BUTTON" 20 "the menu did not appear"
click_at 400 384                       # New game (no hints panel)
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "New game did not leave the menu"

resize_to 1000 600                     # wide: bars left and right
move_to 700 300
shot
row=$((PIC_Y + PIC_H / 2))
black_at $((PIC_X - 5)) "$row" || fail "no black bar left of the picture"
black_at $((PIC_X + PIC_W + 4)) "$row" || fail "no black bar right of the picture"
black_at $((PIC_X + 5)) "$row" && fail "the picture does not start where a 4:3 picture would"
black_at $((PIC_X + PIC_W - 6)) "$row" && fail "the picture does not end where a 4:3 picture would"

crop_cell 200 560 "$GAME_DIR/block.png"
virtual_to_screen 200 560
xdotool mousemove "$SX" "$SY" sleep 0.05 click 1
virtual_to_screen 700 300
xdotool mousemove "$SX" "$SY"
wait_cell_shows "$GAME_DIR/block.png" 120 560 ||
  fail "the click in the wide window did not slide the block beside the gap"

resize_to 640 680                      # tall: bars above and below
shot
column=$((PIC_X + PIC_W / 2))
black_at "$column" $((PIC_Y - 5)) || fail "no black bar above the picture"
black_at "$column" $((PIC_Y + PIC_H + 4)) || fail "no black bar below the picture"
black_at "$column" $((PIC_Y + 5)) && fail "the picture does not start where a 4:3 picture would"
echo "PASS: a resized window"
