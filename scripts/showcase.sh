#!/bin/sh
# Runs every example script with the runner and collects what they make.
#
#   scripts/showcase.sh [RUNNER] [OUTPUT]
#
# RUNNER defaults to build/native/ec_runner, OUTPUT to build/showcase.  Each
# script runs from a fresh host; its pictures, images and files land in
# OUTPUT (the family examples) or OUTPUT/commands (one script per command),
# its printed results in <name>.txt beside them.  Every command script must
# make its picture, named after it (rotate_gx.ecs -> rotate_gx.png or .gif),
# of at most 300 KB, and no script may call the host on a resource that does
# not exist.  Nothing outside OUTPUT is changed: scripts/docs.sh copies the
# pictures into docs/.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
runner=${1:-$root/build/native/ec_runner}
output=${2:-$root/build/showcase}
largest_picture=307200

if [ ! -x "$runner" ]; then
  echo "showcase: no runner at $runner; build it first:" >&2
  echo "  cmake --preset native && cmake --build build/native --target ec_runner" >&2
  exit 2
fi
mkdir -p "$output/commands"
output=$(cd "$output" && pwd)

failed=""
# run SCRIPT FOLDER: runs one script into FOLDER; true when it ran clean.
run() {
  name=$(basename "$1" .ecs)
  if "$runner" --out "$2" "$1" > "$2/$name.txt" 2> "$2/$name.err"; then
    rm -f "$2/$name.err"
    warning=$(grep -m 1 '^line [0-9]*: .* does not exist$' "$2/$name.txt")
    [ -z "$warning" ] && return 0
    echo "FAILED  $name: $warning"
    failed="$failed $name"
    return 1
  fi
  echo "FAILED  $name: $(cat "$2/$name.err")"
  failed="$failed $name"
  return 1
}

for script in "$root"/examples/*.ecs; do
  run "$script" "$output" && echo "ok      $(basename "$script" .ecs)"
done
for script in "$root"/examples/commands/*.ecs; do
  run "$script" "$output/commands" || continue
  name=$(basename "$script" .ecs)
  picture=""
  for candidate in "$output/commands/$name.png" "$output/commands/$name.gif"; do
    if [ -f "$candidate" ]; then picture=$candidate; fi
  done
  if [ -z "$picture" ]; then
    echo "FAILED  commands/$name: made no $name.png or $name.gif"
    failed="$failed commands/$name"
  elif [ "$(wc -c < "$picture")" -gt "$largest_picture" ]; then
    echo "FAILED  commands/$name: $(basename "$picture") is $(wc -c < "$picture") bytes, more than $largest_picture"
    failed="$failed commands/$name"
  else
    echo "ok      commands/$name ($(wc -c < "$picture") bytes)"
  fi
done

echo "Showcase output: $output"
if [ -n "$failed" ]; then
  echo "Failed:$failed" >&2
  exit 1
fi
