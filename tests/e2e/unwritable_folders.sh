#!/usr/bin/env bash
# The installed game with player folders it cannot write: a read-only data
# folder holding the options and scores of an earlier run, then also a
# read-only log folder holding an earlier log. The game starts, reads what
# is there, plays and saves its options without a crash; the log (or, when
# the log cannot be written, the standard error output) names the folder and
# why; no existing file is changed or cut short.
#   bash unwritable_folders.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
source "$(dirname "$0")/lib/installed.bash"
e2e_start "$0" "$@"

install_to "$GAME_DIR/prefix"
binary=$GAME_DIR/prefix/games/carrowmoor
player=$GAME_DIR/player
data=$player/data/carrowmoor
state=$player/state/carrowmoor
mkdir -p "$data" "$player/home" "$player/elsewhere"
scramble_to "$(options_with_resolution 0)" "$data/System.Cfg"
scramble_to "$(printf 'Ada_Lovelace\n4321\nHard\n')" "$data/TP.Kv"
chmod -R a-w "$player/data"
"${OBEY_PERMISSIONS[@]}" touch "$data/probe" 2>/dev/null && fail "the read-only data folder can be written"
kept=$(cd "$data" && ls -A && sha256sum ./*)
player_env=(HOME="$player/home" XDG_DATA_HOME="$player/data" XDG_STATE_HOME="$player/state"
  XDG_CACHE_HOME="$player/cache" XDG_CONFIG_HOME="$player/config")

# Read-only data folder: its options are read (640 x 480), a game starts,
# and the options screen's OK tries to save.
start_installed "$binary" "$player/elsewhere" "${player_env[@]}"
[ "$WIN_W" = 640 ] && [ "$WIN_H" = 480 ] || fail "the options were not read: the window is ${WIN_W}x$WIN_H"
click_at 400 384                         # New game
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "New game did not leave the menu"
sleep 0.3
click_at 450 269                         # OK of the hints panel
sleep 0.3
press Escape
wait_pixel 330 176 "$MENU_BUTTON" 10 "Escape did not return to the menu"
click_at 400 342                         # Options
wait_pixel 330 176 "!($MENU_BUTTON)" 10 "Options did not open"
sleep 0.3
click_at 714 135                         # OK: saves the options
wait_pixel 330 176 "$MENU_BUTTON" 10 "OK did not return to the menu"
close_game
grep -qF "Error:</FONT></B> Cannot use the folder \"$data\" for options and high scores: Permission denied" \
  "$state/Report.html" || fail "the log does not name the unwritable data folder: $(cat "$state/Report.html")"
grep -q 'Total Errors = 1' "$state/Report.html" || fail "the log does not count one error"
[ "$(cd "$data" && ls -A && sha256sum ./*)" = "$kept" ] || fail "the files of the read-only data folder changed"

# The log folder read-only too, an earlier log in it: the log cannot be
# written, so the problems go to the standard error output.
chmod -R a-w "$player/state"
old_log=$(sha256sum <"$state/Report.html")
start_installed "$binary" "$player/elsewhere" "${player_env[@]}"
close_game
grep -qF "carrowmoor: Cannot use the folder \"$state\" for the log: Permission denied" "$GAME_DIR/game.out" ||
  fail "the standard error output does not name the unwritable log folder: $(cat "$GAME_DIR/game.out")"
grep -qF "carrowmoor: Cannot use the folder \"$data\" for options and high scores: Permission denied" \
  "$GAME_DIR/game.out" || fail "the standard error output does not name the unwritable data folder"
[ "$(sha256sum <"$state/Report.html")" = "$old_log" ] || fail "the earlier log was changed"
[ "$(cd "$data" && ls -A && sha256sum ./*)" = "$kept" ] || fail "the files of the read-only data folder changed"
[ -z "$(ls -A "$player/elsewhere")" ] || fail "the game wrote into its working directory"
echo "PASS: unwritable folders"
