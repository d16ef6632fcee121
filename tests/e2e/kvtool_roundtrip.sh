#!/usr/bin/env bash
# Packs a folder of assorted files with kvtool, lists and extracts the archive
# and checks that every file comes back byte for byte and that packing twice
# gives the same archive.
#   bash kvtool_roundtrip.sh BUILD_DIR
set -euo pipefail

build_dir=${1:?usage: kvtool_roundtrip.sh BUILD_DIR}
kvtool="$build_dir/tools/kvtool/kvtool"
if [ ! -x "$kvtool" ]; then
  echo "FAIL: no kvtool at $kvtool" >&2
  exit 1
fi

work=$(mktemp -d /tmp/kvtool-e2e-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

staging="$work/staging/Data"
mkdir -p "$staging/Textures/Buttons" "$staging/Sounds" "$staging/Empty folder"
printf 'Rail = {\r\n\tName="ABlox"\r\n}\r\n' >"$staging/Rails.Txt"
: >"$staging/Zero.Bin"
head -c 1 /dev/urandom >"$staging/One.Bin"
head -c 2048 /dev/urandom >"$staging/Textures/Exact.Tga"
head -c 2049 /dev/urandom >"$staging/Textures/Buttons/Ok.Tga"
head -c 300000 /dev/urandom >"$staging/Sounds/Long.Wav"
printf 'spaces in name\n' >"$staging/With Space.Txt"

"$kvtool" pack "$staging" "$work/Resource.Kvr" || fail "pack exited non-zero"
[ "$(head -c 4 "$work/Resource.Kvr")" = "KVR1" ] || fail "archive tag missing"

"$kvtool" list "$work/Resource.Kvr" >"$work/list.txt" || fail "list exited non-zero"
expected_count=$(find "$staging" -type f | wc -l)
[ "$(wc -l <"$work/list.txt")" -eq "$expected_count" ] || fail "list shows $(wc -l <"$work/list.txt") entries, expected $expected_count"
while IFS= read -r file; do
  name="Data/${file#"$staging"/}"
  size=$(stat -c %s "$file")
  grep -qxF "$name	$size" "$work/list.txt" || fail "list lacks '$name' with size $size"
done < <(find "$staging" -type f)

"$kvtool" extract "$work/Resource.Kvr" "$work/out" || fail "extract exited non-zero"
# Empty folders are not archived; every file must come back unchanged.
rmdir "$staging/Empty folder"
diff -r "$work/staging/Data" "$work/out/Data" || fail "extracted files differ"

"$kvtool" pack "$staging/" "$work/Again.Kvr" || fail "second pack exited non-zero"
cmp -s "$work/Resource.Kvr" "$work/Again.Kvr" || fail "packing twice gave different archives"

if "$kvtool" list "$work/missing.Kvr" 2>/dev/null; then fail "list of a missing archive succeeded"; fi
if "$kvtool" bogus 2>/dev/null; then fail "an unknown command succeeded"; fi

echo "kvtool round trip: $expected_count files OK"
