#!/usr/bin/env bash
# First start in a fresh game folder: the loading bar, then the menu; the
# options file and the high-score table are written with their defaults;
# closing the window ends the game with status 0 and a clean log.
#   bash first_start.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

# Loading is quick: the screen is watched in Xvfb's frame-buffer file from
# before the window appears until the menu shows.
rm -f "$GAME_DIR/Data/System.Cfg" "$GAME_DIR/Data/TP.Kv" "$GAME_DIR/Report.html"
# The window opens at the screen's top-left corner, 800 x 600.
WIN_X=0 WIN_Y=0 WIN_W=800 WIN_H=600 PIC_X=0 PIC_Y=0 PIC_W=800 PIC_H=600
virtual_to_screen 300 245
bar_x=$SX bar_y=$SY
virtual_to_screen 330 176
exec {watch}< <(python3 "$(dirname "$0")/lib/watch_screen.py" "$FB_DIR/Xvfb_screen0" 30 \
  "$bar_x" "$bar_y" "$LOADING_RED" "$SX" "$SY" "$MENU_BUTTON" || echo "no menu")
read -r -t 10 ready <&"$watch" && [ "$ready" = watching ] || fail "the screen watcher did not start"
start_game
read -r -t 40 loading <&"$watch" || fail "the screen watcher ended without a word"
read -r -t 1 menu <&"$watch" || menu=""
[ "$menu" != "no menu" ] || fail "the menu did not appear"
[ "$loading" = seen ] || fail "the red loading bar never showed before the menu"
game_window
shot
pixel_is 330 176 "$MENU_BUTTON" || fail "the menu is not at the window's place"
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
