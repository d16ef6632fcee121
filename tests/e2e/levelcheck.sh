#!/usr/bin/env bash
# Every shipped level must be proved winnable at every difficulty, whatever
# items it gets: the level checker plays the race against the train with the
# game's own rules and exits 1 otherwise. Generated levels are sampled too.
#   bash levelcheck.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
checker="$build/tools/levelcheck/levelcheck"
[ -x "$checker" ] || { echo "levelcheck not built at $checker"; exit 1; }

out=$("$checker" --seeds 10 --generated 20 "$root/assets")
echo "$out"
lines=$(grep -c '^level [1-4] file [1-3]:' <<<"$out")
[ "$lines" -eq 12 ] || { echo "expected 12 level lines, got $lines"; exit 1; }
proved=$(grep -o '\(Easy\|Normal\|Hard\) 10/10 proved' <<<"$out" | wc -l)
[ "$proved" -eq 36 ] || { echo "expected 36 proved level/difficulty pairs, got $proved"; exit 1; }
given=$(grep -c 'given 100.0 % proved winnable' <<<"$out")
[ "$given" -eq 3 ] || { echo "a generated level was given unproved"; exit 1; }

# A level that cannot be won is reported and fails the run: level 1's first
# board with its track torn up.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/assets/." "$work/"
sed -i 's/^\t 5,  9,  4,  8,  0,  5,$/\t 5,  0,  0,  0,  0,  5,/' "$work/Levels/1/1.Txt"
if "$checker" --seeds 2 "$work" > "$work/out.txt"; then
  echo "a broken level was not noticed"; cat "$work/out.txt"; exit 1
fi
grep -q '^level 1 file 1: .*Easy 0/2 proved' "$work/out.txt"
echo "levelcheck: all shipped levels proved winnable"
