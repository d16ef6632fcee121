#!/usr/bin/env bash
# Writes the three shapes with modeltool and checks each file's magic, counts
# and length, the texture names, and that bad arguments fail.
#   bash modeltool_shapes.sh BUILD_DIR
set -euo pipefail

build_dir=${1:?usage: modeltool_shapes.sh BUILD_DIR}
modeltool="$build_dir/tools/modeltool/modeltool"
if [ ! -x "$modeltool" ]; then
  echo "FAIL: no modeltool at $modeltool" >&2
  exit 1
fi

work=$(mktemp -d /tmp/modeltool-e2e-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Little-endian 32-bit word at an offset.
word() {
  od -An -tu4 -j "$2" -N4 --endian=little "$1" | tr -d ' '
}

# shape, positions, texture coordinates, triangles
check() {
  local file="$work/$1.Kvm"
  "$modeltool" "$1" "$file" >/dev/null || fail "modeltool $1 failed"
  [ "$(head -c 6 "$file")" = "ASVM3D" ] || fail "$1: wrong magic"
  [ "$(word "$file" 16)" = "$2" ] || fail "$1: $(word "$file" 16) positions, expected $2"
  [ "$(word "$file" 20)" = "$3" ] || fail "$1: $(word "$file" 20) texture coordinates"
  [ "$(word "$file" 28)" = "$4" ] || fail "$1: $(word "$file" 28) triangles"
  local expected=$((64 + 12 * $2 + 8 * $3 + 60 + 24 * $4))
  [ "$(stat -c %s "$file")" = "$expected" ] || fail "$1: length $(stat -c %s "$file"), expected $expected"
}

check cube 8 4 12
check sphere 4902 5151 9800
check plane 81 81 128

"$modeltool" cube "$work/Textured.Kvm" Wood.Tga Grain.Tga >/dev/null
[ "$(dd if="$work/Textured.Kvm" bs=1 skip=32 count=8 2>/dev/null)" = "Wood.Tga" ] || fail "base texture name"
[ "$(dd if="$work/Textured.Kvm" bs=1 skip=48 count=9 2>/dev/null)" = "Grain.Tga" ] || fail "detail texture name"

for args in "" "cube" "cone $work/x.Kvm" "cube $work/x.Kvm ABCDEFGHIJKLMNOPQ"; do
  # shellcheck disable=SC2086
  if "$modeltool" $args >/dev/null 2>&1; then
    fail "modeltool $args succeeded"
  fi
done
if "$modeltool" cube "$work/no/such/folder/x.Kvm" >/dev/null 2>&1; then
  fail "writing into a missing folder succeeded"
fi
echo "modeltool shapes: ok"
