#!/usr/bin/env bash
# The options screen: a difficulty change during a game asks "End current
# game?", OK there ends the game, OK of the screen writes the difficulty to
# "Data/System.Cfg"; a new resolution rebuilds the window at its size.
#   bash options_screen.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

option_value() { options_text | tr -d '\r' | sed -n "s/^$1[[:space:]]*=[[:space:]]*//p"; }

start_game
game_window
wait_pixel 330 176 "$MENU_BUTTON" 20 "the menu did not appear"
click_at 400 384                         # New game
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "New game did not leave the menu"
sleep 0.3
click_at 450 269                         # close the hints panel
sleep 0.3
press Escape
wait_pixel 330 176 "$MENU_BUTTON" 10 "Escape did not return to the menu"
click_at 400 342                         # Options
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "Options did not open"
sleep 0.3
shot
popup_spot=$(remember 300 380)
click_at 599 198                         # the difficulty's right arrow
wait_pixel 300 380 "$(differs_from "$popup_spot")" 5 "no \"End current game?\" popup"
click_at 579 285                         # popup OK: the game ends
wait_pixel 300 380 "!($(differs_from "$popup_spot"))" 5 "the popup did not close"
click_at 714 135                         # OK of the screen
wait_pixel 330 176 "$MENU_BUTTON" 10 "OK did not return to the menu"
[ "$(option_value DifficultyLevel)" = 2 ] || fail "System.Cfg says DifficultyLevel=$(option_value DifficultyLevel), expected 2"
click_at 400 426                         # Continue: no game any more
sleep 0.5
shot
pixel_is 330 176 "$MENU_BUTTON" || fail "Continue found a game that should have ended"

# A new resolution rebuilds the window.
click_at 400 342
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "Options did not open"
sleep 0.3
click_at 599 438                         # resolution: 800 x 600 -> 1024 x 768
sleep 0.3
click_at 714 135
start=$SECONDS
while :; do
  read_window_size
  [ "$WIN_W" = 1024 ] && [ "$WIN_H" = 768 ] && break
  [ $((SECONDS - start)) -lt 15 ] || fail "the window is ${WIN_W}x$WIN_H, expected 1024x768"
  game_running || fail "the game ended while changing the resolution"
  sleep 0.2
  WIN=$(wait_for_window '^Carrowmoor version 1.1$' 5) || fail "the window went away"
done
wait_pixel 330 176 "$MENU_BUTTON" 10 "the menu did not come back at the new size"
[ "$(option_value ScreenRes)" = 2 ] || fail "System.Cfg says ScreenRes=$(option_value ScreenRes), expected 2"
python3 "$(dirname "$0")/lib/close_window.py" "$WIN"
wait_exit 15
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS: options"
