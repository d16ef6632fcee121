#!/usr/bin/env bash
# A game played from the keyboard: Escape closes the hints panel (the game
# stays), the arrow keys and Space slide the block beside the gap into it,
# P freezes the board's picture for two seconds while the train would have
# run on, and P again lets it run.
#   bash keys_and_pause.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

start_game
game_window
wait_pixel 330 176 "$MENU_BUTTON" 20 "the menu did not appear"
click_at 400 384                       # New game: the hints panel shows
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "New game did not leave the menu"
sleep 0.5
move_to 700 300                        # the cursor must not hide the cells
shot
hints_panel=$(remember 250 400)
press Escape
wait_pixel 250 400 "$(differs_from "$hints_panel")" 5 "Escape did not close the hints panel"
sleep 0.3
shot
pixel_is 330 176 "!($MENU_BUTTON)" || fail "Escape with the hints panel open left the game"

# The cursor starts beside the gap at the top left: Right shows it, Space
# slides that block left into the gap.
crop_cell 200 560 "$GAME_DIR/block.png"
press Right space
wait_cell_shows "$GAME_DIR/block.png" 120 560 ||
  fail "the arrow keys and Space did not slide the block into the gap"

# The train climbs the left column from the start platform; the region
# left of the pause panel shows it and its smoke.
press p
sleep 0.5
shot
crop_region 0 45 180 245 "$GAME_DIR/paused-a.png"
sleep 2
shot
crop_region 0 45 180 245 "$GAME_DIR/paused-b.png"
still=$(picture_difference "$GAME_DIR/paused-a.png" "$GAME_DIR/paused-b.png")
[ "$still" -lt 5 ] || fail "the board moved while paused (difference $still)"

press p
start=$SECONDS
moved=0
while [ $((SECONDS - start)) -lt 6 ]; do
  sleep 0.3
  shot
  crop_region 0 45 180 245 "$GAME_DIR/running.png"
  if [ "$(picture_difference "$GAME_DIR/paused-b.png" "$GAME_DIR/running.png")" -ge 20 ]; then
    moved=1
    break
  fi
done
[ "$moved" = 1 ] || fail "the train did not run on after P again"

press Escape
wait_pixel 330 176 "$MENU_BUTTON" 10 "Escape did not return to the menu"
echo "PASS: keys and pause"
