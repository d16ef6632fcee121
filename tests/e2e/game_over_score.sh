#!/usr/bin/env bash
# A game that ends with a qualifying score: the options start the game at
# level 1, whose level files are replaced by a tiny board on which the train
# picks up the one worker and then runs into the gap. The score screen takes
# a typed name with Enter, and the high-score file holds it in rank order.
#   bash game_over_score.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

write_options 'BeginLevel = 1
DifficultyLevel = 1
Hints = 1
ScreenRes = 1
ColorDepth = 32
FullScreen = 0
Sound = 1
Music = 1
SoundVolume = 150
MusicVolume = 50
'
# 3 x 4 cells: the only track block off the frame is the curve at (1, 1),
# so the worker lands there. Slid up into the gap it takes the train from
# the top-left corner down into the new gap.
level='xSize = 3
ySize = 4
Data = [
	 7,  0, 11,
	 5,  8,  5,
	 5,  0,  5,
	10,  0,  6
]
'
for file in "$GAME_DIR"/Data/Levels/1/*.Txt; do
  printf '%s' "$level" >"$file"
done

start_game
game_window
wait_pixel 330 176 "$MENU_BUTTON" 20 "the menu did not appear"
click_at 400 384            # New game
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "the game did not start"
sleep 0.3
click_at 450 269            # OK of the hints panel: the train starts
sleep 0.2
click_at 400 340            # slide the curve with the worker up into the gap

# The train crashes; after the game-over pause the score screen asks for a
# name (the menu button of that screen stands at (600, 115)).
start=$SECONDS
while :; do
  shot
  if [ -f "$GAME_DIR/Data/TP.Kv" ] && pixel_is 612 128 "$MENU_BUTTON"; then
    break
  fi
  game_running || fail "the game ended"
  [ $((SECONDS - start)) -lt 40 ] || fail "the score screen never came"
  sleep 0.2
done
move_to 420 500             # the field swallows the first event it gets
sleep 0.2
type_text "Zed"
press Return
sleep 0.5
scores=$("$KVTOOL" scores "$GAME_DIR/Data/TP.Kv") || fail "kvtool cannot read TP.Kv"
first=$(head -1 <<<"$scores")
grep -Eq '^ *1\. Zed +[1-9][0-9]* +Normal$' <<<"$first" ||
  fail "the best entry is not Zed's:
$scores"
# The others are still the defaults, below it.
[ "$(grep -c '\.\.\.' <<<"$scores")" = 9 ] || fail "expected nine default entries below:
$scores"
press Escape
wait_pixel 330 176 "$MENU_BUTTON" 10 "Escape did not return to the menu"
[ "$("$KVTOOL" scores "$GAME_DIR/Data/TP.Kv" | grep -c Zed)" = 1 ] || fail "the score was entered twice"
python3 "$(dirname "$0")/lib/close_window.py" "$WIN"
wait_exit 15
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS: game over with a qualifying score"
