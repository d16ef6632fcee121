# Steps shared by the scripts that run the installed game (after harness.bash).

APP_ID=org.carrowmoor.Carrowmoor

# cmake --install of the build tree into the prefix $1.
install_to() {
  cmake --install "$BUILD_DIR" --prefix "$1" >"$GAME_DIR/install.out" 2>&1 ||
    fail "cmake --install failed: $(cat "$GAME_DIR/install.out")"
}

# Every path below $1 with its type, mode, size and time, then every file's
# digest: the same listing before and after a run means nothing changed there.
manifest() {
  (cd "$1" && find . -printf '%p %M %s %T@\n' | sort &&
    find . -type f -print0 | sort -z | xargs -0 -r sha256sum)
}

# Runs the binary $1 from the working directory $2 with the environment
# assignments that follow, bound by file permissions even as root; waits for
# the menu.
start_installed() {
  local binary=$1 dir=$2
  shift 2
  start_in "$dir" "$@" "${OBEY_PERMISSIONS[@]}" "$binary"
  game_window
  wait_pixel 330 176 "$MENU_BUTTON" 20 "the installed game's menu did not appear"
}

# Closes the window as a window manager would and expects exit status 0.
close_game() {
  python3 "$(dirname "$0")/lib/close_window.py" "$WIN" || fail "could not ask the window to close"
  wait_exit 15
  [ "$EXIT_STATUS" = 0 ] || fail "the game ended with status $EXIT_STATUS"
}

# The eighteen options as config text, with the resolution given ($1).
options_with_resolution() {
  printf '%s\n' Background=0 BeginLevel=5 ColorDepth=32 DifficultyLevel=1 Effects=2 FullScreen=0 \
    Hints=1 Lighting=0 ModelDetail=1 Music=1 MusicVolume=50 "ScreenRes=$1" SelectEffect=0 \
    ShadowDetail=1 SkinIndex=0 Sound=1 SoundVolume=150 WaterDetail=1
}

# Writes scrambled config text ($1) to the file $2.
scramble_to() {
  printf '%s' "$1" >"$GAME_DIR/plain.txt"
  "$KVTOOL" scramble "$GAME_DIR/plain.txt" "$2" >/dev/null || fail "kvtool could not scramble $2"
}
