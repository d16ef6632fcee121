#!/usr/bin/env bash
# First start in a fresh game folder: the loading bar, then the menu; the
# options file and the high-score table are written with their defaults;
# closing the window ends the game with status 0 and a clean log.
#   bash first_start.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

# Loading is quick: watch the screen from before the start and retry a few
# times if no shot fell on a loading frame.
seen_loading=0
for attempt in $(seq 1 20); do
  rm -f "$GAME_DIR/Data/System.Cfg" "$GAME_DIR/Data/TP.Kv" "$GAME_DIR/Report.html"
  start_game
  WIN=""
  start=$SECONDS
  while [ $((SECONDS - start)) -lt 20 ]; do
    if [ -z "$WIN" ]; then
      WIN=$(xdotool search --name '^Carrowmoor version 1.1$' 2>/dev/null | head -1 || true)
      [ -n "$WIN" ] && read_window_size
    fi
    if [ -n "$WIN" ]; then
      shot
      if pixel_is 300 245 "$LOADING_RED"; then
        seen_loading=1
      fi
      pixel_is 330 176 "$MENU_BUTTON" && break
    fi
    game_running || fail "the game ended during start-up"
  done
  [ -n "$WIN" ] || fail "the game window did not appear"
  pixel_is 330 176 "$MENU_BUTTON" || fail "the menu did not appear"
  [ "$seen_loading" = 1 ] && break
  stop_game
done
[ "$seen_loading" = 1 ] || fail "no shot ever showed the red loading bar"
[ "$WIN_W" = 800 ] && [ "$WIN_H" = 600 ] || fail "window is ${WIN_W}x$WIN_H, expected 800x600"

# The defaults on disk.
expected_options='Background=0
BeginLevel=5
ColorDepth=32
DifficultyLevel=1
Effects=2
FullScreen=0
Hints=1
Lighting=0
ModelDetail=1
Music=1
MusicVolume=50
ScreenRes=1
SelectEffect=0
ShadowDetail=1
SkinIndex=0
Sound=1
SoundVolume=150
WaterDetail=1'
actual_options=$(options_text | tr -d '\r' | grep '=' | sed 's/[[:space:]]*=[[:space:]]*/=/' | sort)
[ "$actual_options" = "$expected_options" ] ||
  fail "System.Cfg does not hold the eighteen defaults:
$actual_options"
scores=$("$KVTOOL" scores "$GAME_DIR/Data/TP.Kv") || fail "kvtool cannot read TP.Kv"
[ "$(grep -c '^ *[0-9]*\. \.\.\. *0  *\.\.\.$' <<<"$scores")" = 10 ] ||
  fail "TP.Kv does not hold ten default records:
$scores"

# The window's close box ends the game normally.
python3 "$(dirname "$0")/lib/close_window.py" "$WIN" || fail "could not ask the window to close"
wait_exit 15
[ "$EXIT_STATUS" = 0 ] || fail "closing the window gave exit status $EXIT_STATUS"
report="$GAME_DIR/Report.html"
grep -q 'Log file opened:' "$report" || fail "Report.html lacks its opening line"
grep -q 'Total Errors = 0' "$report" || fail "Report.html does not say Total Errors = 0"
grep -q 'Log file closed:' "$report" || fail "Report.html lacks its closing line"
echo "PASS: first start"
