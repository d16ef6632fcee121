#!/usr/bin/env bash
# The installed game, twice: installed with cmake --install into a prefix,
# and unpacked from the Debian package with dpkg-deb -x. Each installed tree
# is made read-only (and root's override of permissions dropped) and its
# binary run from an unrelated working directory with HOME and the XDG
# folders in a temporary place. The first start shows the menu and writes
# options, scores and log into the XDG folders and nothing anywhere else; a
# second start reads the options back. The desktop entry, AppStream data and
# icons are checked as installed, and lintian checks the package.
#   bash installed_game.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib/harness.bash"
source "$(dirname "$0")/lib/installed.bash"
e2e_start "$0" "$@"

# The files a desktop reads, in the tree $1 (prefix), for a binary at $2.
check_desktop_files() {
  local share=$1/share binary=$2 size
  desktop-file-validate "$share/applications/$APP_ID.desktop" || fail "the desktop entry does not validate"
  grep -qxF "Exec=\"$binary\"" "$share/applications/$APP_ID.desktop" ||
    fail "the desktop entry does not start $binary: $(grep Exec "$share/applications/$APP_ID.desktop")"
  appstreamcli validate --no-net "$share/metainfo/$APP_ID.metainfo.xml" >"$GAME_DIR/appstream.out" 2>&1 ||
    fail "the AppStream data does not validate: $(cat "$GAME_DIR/appstream.out")"
  for size in 48 64 128 256; do
    [ "$(identify -format '%wx%h' "$share/icons/hicolor/${size}x$size/apps/$APP_ID.png")" = "${size}x$size" ] ||
      fail "no ${size}x$size icon"
  done
  [ -f "$share/carrowmoor/Resource.Kvr" ] && [ -f "$share/carrowmoor/Levels/1/1.Txt" ] ||
    fail "the game data is not in $share/carrowmoor"
}

# Runs the binary $1 of the read-only tree $2 twice with the player's
# folders below $3; the data folder is $4, the log folder $5; further
# arguments are the environment.
play_installed() {
  local binary=$1 tree=$2 player=$3 data=$4 state=$5
  shift 5
  local elsewhere=$player/elsewhere
  mkdir -p "$elsewhere" "$player/home"
  chmod -R a-w "$tree"
  "${OBEY_PERMISSIONS[@]}" touch "$tree/probe" 2>/dev/null && fail "the read-only tree $tree can be written"
  local before
  before=$(manifest "$tree")

  start_installed "$binary" "$elsewhere" "$@"
  [ "$WIN_W" = 800 ] || fail "the first start's window is ${WIN_W}x$WIN_H, expected 800x600"
  close_game
  [ "$(manifest "$tree")" = "$before" ] || fail "the game changed its installed tree $tree"
  [ -z "$(ls -A "$elsewhere")" ] || fail "the game wrote into its working directory: $(ls -A "$elsewhere")"
  [ "$("$KVTOOL" unscramble "$data/System.Cfg" /dev/stdout | grep -c '=')" = 18 ] ||
    fail "no options file with eighteen keys in $data"
  "$KVTOOL" scores "$data/TP.Kv" | grep -q '^ *10\. ' || fail "no table of ten scores in $data"
  grep -q 'Total Errors = 0' "$state/Report.html" || fail "no clean log in $state"
  [ "$(stat -c %a "$data")" = 700 ] || fail "$data was not made the player's alone"

  # A second start reads the options back: here they ask for 640 x 480.
  scramble_to "$(options_with_resolution 0)" "$data/System.Cfg"
  local scores
  scores=$(sha256sum <"$data/TP.Kv")
  start_installed "$binary" "$elsewhere" "$@"
  [ "$WIN_W" = 640 ] && [ "$WIN_H" = 480 ] ||
    fail "the second start did not read its options: the window is ${WIN_W}x$WIN_H"
  shot
  close_game
  [ "$(sha256sum <"$data/TP.Kv")" = "$scores" ] || fail "the second start did not keep the scores it read"
  [ "$(grep -c 'Log file opened' "$state/Report.html")" = 1 ] || fail "the log was not started afresh"
  [ "$(manifest "$tree")" = "$before" ] || fail "the second start changed the installed tree"
  chmod -R u+w "$tree"
}

# cmake --install into a prefix with a blank in its name.
prefix="$GAME_DIR/a prefix"
install_to "$prefix"
check_desktop_files "$prefix" "$prefix/games/carrowmoor"
player="$GAME_DIR/player-install"
play_installed "$prefix/games/carrowmoor" "$prefix" "$player" "$player/xdg-data/carrowmoor" \
  "$player/xdg-state/carrowmoor" HOME="$player/home" XDG_DATA_HOME="$player/xdg-data" \
  XDG_STATE_HOME="$player/xdg-state" XDG_CACHE_HOME="$player/cache" XDG_CONFIG_HOME="$player/config"
cp "$GAME_DIR/shot.png" "$GAME_DIR/installed-menu.png"

# The Debian package, unpacked. Empty XDG variables count as unset: the
# files go below ~/.local.
(cd "$BUILD_DIR" && cpack -G DEB -B "$GAME_DIR/deb" >"$GAME_DIR/cpack.out" 2>&1) ||
  fail "cpack failed: $(cat "$GAME_DIR/cpack.out")"
deb=$(ls "$GAME_DIR"/deb/carrowmoor_*.deb)
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2.0-0' || fail "the package does not depend on SDL2"
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$GAME_DIR/lintian.out" 2>&1 ||
    fail "lintian finds errors: $(cat "$GAME_DIR/lintian.out")"
fi
root="$GAME_DIR/deb-root"
dpkg-deb -x "$deb" "$root"
check_desktop_files "$root/usr" /usr/games/carrowmoor
player="$GAME_DIR/player-deb"
play_installed "$root/usr/games/carrowmoor" "$root" "$player" "$player/home/.local/share/carrowmoor" \
  "$player/home/.local/state/carrowmoor" HOME="$player/home" XDG_DATA_HOME= XDG_STATE_HOME= \
  XDG_CACHE_HOME="$player/cache" XDG_CONFIG_HOME="$player/config"
echo "PASS: installed game"
