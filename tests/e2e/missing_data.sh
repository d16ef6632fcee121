#!/usr/bin/env bash
# Missing game files and a slow software OpenGL: the archive repacked without
# "Interface/Menu.Jpg" ends start-up with the "Game files are missing or
# corrupted" message box and exit status 3, and the log names the file and
# why it is missing (as it does when the whole archive is gone);
# Mesa's softpipe ends the game with its message and exit status 1.
#   bash missing_data.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
e2e_start "$0" "$@"

# Waits for the "Error" message box (the name of an SDL message box is not
# visible to xdotool's search, so it is found in the window tree), then
# presses its OK button.
dismiss_error_box() {
  local line="" start=$SECONDS
  while [ $((SECONDS - start)) -lt 20 ]; do
    line=$(xwininfo -root -tree 2>/dev/null | grep '"Error":' | head -1 || true)
    [ -n "$line" ] && break
    game_running || fail "the game ended without showing a message box"
    sleep 0.1
  done
  [ -n "$line" ] || fail "no \"Error\" message box appeared"
  # "0x600002 "Error": ()  457x100+283+222  +283+222"
  local geometry w h x y
  geometry=$(grep -o '[0-9]*x[0-9]*+[0-9]*+[0-9]*' <<<"$line" | head -1)
  IFS='x+' read -r w h x y <<<"$geometry"
  shot
  xdotool mousemove $((x + w / 2)) $((y + h - 28)) sleep 0.1 click 1
}

# Repack the archive without the menu background.
"$KVTOOL" extract "$GAME_DIR/Data/Resource.Kvr" "$GAME_DIR/unpacked" >/dev/null ||
  fail "kvtool extract failed"
menu_picture=$(find "$GAME_DIR/unpacked" -path '*Textures/Interface/Menu.Jpg')
[ -n "$menu_picture" ] || fail "the archive holds no Interface/Menu.Jpg"
rm "$menu_picture"
"$KVTOOL" pack "$GAME_DIR/unpacked/Data" "$GAME_DIR/Data/Resource.Kvr" >/dev/null ||
  fail "kvtool pack failed"
"$KVTOOL" list "$GAME_DIR/Data/Resource.Kvr" | grep -q 'Interface/Menu.Jpg' &&
  fail "the repacked archive still holds Interface/Menu.Jpg"

start_game
dismiss_error_box
wait_exit 15
[ "$EXIT_STATUS" = 3 ] || fail "a missing picture gave exit status $EXIT_STATUS, expected 3"
grep -q 'Interface/Menu.Jpg is missing: the archive Data/Resource.Kvr holds no entry' \
  "$GAME_DIR/Report.html" || fail "the log does not name the missing file and why"

# No archive at all: the first picture is missing, and the log says why.
rm "$GAME_DIR/Data/Resource.Kvr"
start_game
dismiss_error_box
wait_exit 15
[ "$EXIT_STATUS" = 3 ] || fail "a missing archive gave exit status $EXIT_STATUS, expected 3"
grep -q 'is missing: the archive Data/Resource.Kvr cannot be opened (No such file or directory)' \
  "$GAME_DIR/Report.html" || fail "the log does not say that the archive is missing"

# Software OpenGL that is too slow for the game.
cp "$BUILD_DIR/Data/Resource.Kvr" "$GAME_DIR/Data/Resource.Kvr"
start_game LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=softpipe
dismiss_error_box
wait_exit 15
[ "$EXIT_STATUS" = 1 ] || fail "softpipe gave exit status $EXIT_STATUS, expected 1"
echo "PASS: missing data and software OpenGL"
