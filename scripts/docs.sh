#!/bin/sh
# Makes the documentation again from the sources: runs the showcase into
# build/docs, copies its pictures into docs/images/ (the family pictures) and
# docs/images/commands/ (one per command), and writes docs/commands.md from
# the runner's command reference.  Commit the result.
#
#   sh scripts/docs.sh [RUNNER]
#
# RUNNER defaults to build/native/ec_runner (build it first).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
runner=${1:-$root/build/native/ec_runner}
output=$root/build/docs

rm -rf "$output"
sh "$root/scripts/showcase.sh" "$runner" "$output"

for script in "$root"/examples/*.ecs; do
  name=$(basename "$script" .ecs)
  if [ -f "$output/$name.png" ]; then cp "$output/$name.png" "$root/docs/images/$name.png"; fi
done
rm -rf "$root/docs/images/commands"
mkdir -p "$root/docs/images/commands"
for script in "$root"/examples/commands/*.ecs; do
  name=$(basename "$script" .ecs)
  for picture in "$output/commands/$name.png" "$output/commands/$name.gif"; do
    if [ -f "$picture" ]; then cp "$picture" "$root/docs/images/commands/"; fi
  done
done
"$runner" --reference > "$root/docs/commands.md"
echo "Documentation written: docs/commands.md, docs/images/ ($(du -sk "$root/docs/images" | cut -f1) KB)"
