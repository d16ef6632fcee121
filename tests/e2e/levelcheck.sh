#!/usr/bin/env bash
# Every shipped level must be solvable at every difficulty: the level checker
# searches the moves with the game's own rules and exits 1 otherwise.
#   bash levelcheck.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
checker="$build/tools/levelcheck/levelcheck"
[ -x "$checker" ] || { echo "levelcheck not built at $checker"; exit 1; }

out=$("$checker" "$root/assets")
echo "$out"
lines=$(grep -c '^level [1-4] file [1-3] ' <<<"$out")
[ "$lines" -eq 12 ] || { echo "expected 12 level lines, got $lines"; exit 1; }
solved=$(grep -o '\(Easy\|Normal\|Hard\) [0-9]* moves\?' <<<"$out" | wc -l)
[ "$solved" -eq 36 ] || { echo "expected 36 solved level/difficulty pairs, got $solved"; exit 1; }
if grep -q 'NOT SOLVABLE' <<<"$out"; then exit 1; fi

# A level that cannot be mended is reported and fails the run (a small search
# limit keeps this quick).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/assets/." "$work/"
sed -i 's/^\t 5,  9,  4,  8,  0,  5,$/\t 5,  0,  0,  0,  0,  5,/' "$work/Levels/1/1.Txt"
if "$checker" --shipped-limit 3000 "$work" > "$work/out.txt"; then
  echo "a broken level was not noticed"; cat "$work/out.txt"; exit 1
fi
grep -q '^level 1 file 1 .*NOT SOLVABLE' "$work/out.txt"
echo "levelcheck: all shipped levels solvable"
