#!/usr/bin/env bash
# The packed game data: every entry the game loads is in Data/Resource.Kvr,
# the level files lie beside it, and generating and packing the data again
# from scratch gives the same archive byte for byte.
#   bash game_data.sh BUILD_DIR
set -euo pipefail

build_dir=$(cd "${1:?usage: game_data.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
kvtool="$build_dir/tools/kvtool/kvtool"
archive="$build_dir/Data/Resource.Kvr"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ -f "$archive" ] || fail "no archive at $archive"
work=$(mktemp -d /tmp/game-data-e2e-XXXXXX)
trap 'rm -rf "$work"' EXIT

# Every name the game asks the archive for.
textures="Font.Tga Cursor.Tga Icon.Tga PLogo.Tga Quarvelr3D.Tga GB.Tga LCompl.Tga HintsBgrn.Tga
  GameOver.Tga SmlWind.Tga CoDSmoke2.Tga Coal.Tga SRed.Tga SGreen.Tga Worker.Tga WorkerR.Tga
  Up.Tga Right.Tga Down.Tga Left.Tga Interface/Menu.Jpg Interface/StatusBar.Tga
  Interface/CheckBox.Tga Interface/Button.Tga Interface/HArrow.Tga Interface/Slider.Tga
  Interface/Thumb.Tga Buttons/Continue.Tga Buttons/NewGame.Tga Buttons/Options.Tga
  Buttons/Score.Tga Buttons/Help.Tga Buttons/Credits.Tga Buttons/Exit.Tga Buttons/Menu.Tga
  Buttons/MenuSml.Tga Buttons/Ok.Tga Buttons/Cancel.Tga Buttons/PlayNext.Tga"
others="Data/Rails.Txt Data/Game.Cfg Data/Difficult.Cfg Data/Credits.Kv
  Data/Sounds/Interface/MsOver.Wav Data/Sounds/Interface/MsClik.Wav Data/Sounds/Engine.Wav
  Data/Sounds/TuTu.Ogg Data/Sounds/EngineStop.Ogg Data/Sounds/EngineSlow.Ogg
  Data/Sounds/SemaforNear.Ogg Data/Sounds/RotateRail.Wav Data/Sounds/MoveRail.Wav
  Data/Sounds/NoMove.Wav Data/Music/Menu.Mp3 Data/Music/Game/A.Mp3"
"$kvtool" list "$archive" | cut -f1 >"$work/names"
missing=0
for name in $textures; do
  grep -qxF "Data/Textures/$name" "$work/names" || { echo "missing: Data/Textures/$name" >&2; missing=1; }
done
for name in $others; do
  grep -qxF "$name" "$work/names" || { echo "missing: $name" >&2; missing=1; }
done
# The rail pictures are whatever Rails.Txt names.
for name in $(grep -o '"[^"]*\.Tga"' "$source_dir/assets/Rails.Txt" | tr -d '"'); do
  grep -qxF "Data/Textures/$name" "$work/names" || { echo "missing: Data/Textures/$name" >&2; missing=1; }
done
[ "$missing" -eq 0 ] || fail "the archive lacks entries the game loads"

for level in 1 2 3 4; do
  for n in 1 2 3; do
    [ -f "$build_dir/Data/Levels/$level/$n.Txt" ] || fail "no level file Levels/$level/$n.Txt"
  done
done

# Two generations from scratch give identical archives, and the build's too.
for run in a b; do
  staging="$work/$run/Data"
  mkdir -p "$staging"
  "$build_dir/tools/assetgen/assetgen" "$work/$run" >/dev/null
  "$build_dir/tools/audiogen/audiogen" "$work/$run" -q >/dev/null
  cp "$source_dir"/assets/{Rails.Txt,Game.Cfg,Difficult.Cfg,Credits.Kv} "$staging/"
  "$kvtool" pack "$staging" "$work/$run.Kvr" >/dev/null
done
cmp "$work/a.Kvr" "$work/b.Kvr" || fail "two generations differ"
cmp "$work/a.Kvr" "$archive" || fail "the build's archive differs from a fresh generation"
echo "game data: $(wc -l <"$work/names") entries, $(stat -c %s "$archive") bytes, reproducible"
