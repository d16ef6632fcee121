#!/usr/bin/env bash
# A game from the menu: New game shows the hints panel, OK closes it, a click
# slides a block into the gap (its picture moves), the turbo box ticks,
# Escape leads to the menu and Continue back; New game then asks "End
# current game?" and Cancel keeps the game. The game is heard through the
# disk audio driver.
#   bash play_game.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

start_game
game_window
wait_pixel 330 176 "$MENU_BUTTON" 20 "the menu did not appear"
panel_spot_on_menu=$(remember 250 390)

click_at 400 384                       # New game
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "New game did not leave the menu"
sleep 0.5
shot
hints_panel=$(remember 250 400)
click_at 450 269                       # OK of the hints panel
wait_pixel 250 400 "$(differs_from "$hints_panel")" 10 "OK did not close the hints panel"

# Generated levels leave the gap at the second cell of the top row; the
# block to its right slides left into it.
# Whole regions are compared, not single pixels: a meadow block and the
# background can share a colour at one point.
shot
block=$(remember 200 560)
crop_cell 200 560 "$GAME_DIR/block.png"
click_at 200 560
move_to 700 300                        # the cursor must not hide the cells
wait_cell_shows "$GAME_DIR/block.png" 120 560 ||
  fail "the clicked block did not slide into the gap"
crop_cell 200 560 "$GAME_DIR/old.png"
[ "$(picture_difference "$GAME_DIR/block.png" "$GAME_DIR/old.png")" -ge 40 ] ||
  fail "the block still shows in its old cell"

# Turbo: the box at the bottom right.
turbo=$(remember 642 20)
click_at 642 20
wait_pixel 642 20 "$(differs_from "$turbo")" 5 "the turbo box did not tick"

press Escape
wait_pixel 330 176 "$MENU_BUTTON" 10 "Escape did not return to the menu"
click_at 400 426                       # Continue
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "Continue did not return to the game"
shot
pixel_is 120 560 "$(same_as "$block")" || fail "the resumed game lost the slid block"
# Entering the game shows the hints again (the option is on); while they
# show, the game takes no keys.
sleep 0.3
click_at 450 269
sleep 0.3
press Escape
wait_pixel 330 176 "$MENU_BUTTON" 10 "Escape did not return to the menu"
click_at 400 384                       # New game while one runs: the question
wait_pixel 250 390 "$(differs_from "$panel_spot_on_menu")" 5 "no \"End current game?\" panel"
click_at 284 285                       # Cancel
wait_pixel 250 390 "$(same_as "$panel_spot_on_menu")" 5 "Cancel did not close the panel"
click_at 400 426                       # Continue: the old game is still there
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "the game was not kept"
shot
pixel_is 120 560 "$(same_as "$block")" || fail "Cancel replaced the game"

# Something was mixed into the disk audio file (music and the train).
python3 - "$GAME_DIR/audio.raw" <<'PY' || fail "the disk audio output is silent"
import array, sys
data = array.array("h", open(sys.argv[1], "rb").read()[: 44100 * 4 * 20])
sys.exit(0 if data and max(abs(s) for s in data) > 500 else 1)
PY

python3 "$(dirname "$0")/lib/close_window.py" "$WIN"
wait_exit 15
[ "$EXIT_STATUS" = 0 ] || fail "closing the window during play gave exit status $EXIT_STATUS"
echo "PASS: a game"
