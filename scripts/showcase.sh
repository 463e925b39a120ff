#!/bin/sh
# Runs every example script with the runner and collects what they make.
#
#   scripts/showcase.sh [RUNNER] [OUTPUT]
#
# RUNNER defaults to build/native/ec_runner, OUTPUT to build/showcase.  Each
# script runs from a fresh host; its pictures, images and files land in
# OUTPUT, its printed results in OUTPUT/<name>.txt.  The picture named after
# an example (examples/shapes.ecs -> shapes.png) is copied to docs/images/
# for the command reference.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
runner=${1:-$root/build/native/ec_runner}
output=${2:-$root/build/showcase}

if [ ! -x "$runner" ]; then
  echo "showcase: no runner at $runner; build it first:" >&2
  echo "  cmake --preset native && cmake --build build/native --target ec_runner" >&2
  exit 2
fi
mkdir -p "$output" "$root/docs/images"
output=$(cd "$output" && pwd)

failed=""
for script in "$root"/examples/*.ecs; do
  name=$(basename "$script" .ecs)
  if "$runner" --out "$output" "$script" > "$output/$name.txt" 2> "$output/$name.err"; then
    echo "ok      $name"
    rm -f "$output/$name.err"
  else
    echo "FAILED  $name: $(cat "$output/$name.err")"
    failed="$failed $name"
  fi
  if [ -f "$output/$name.png" ]; then cp "$output/$name.png" "$root/docs/images/$name.png"; fi
done

echo "Showcase output: $output"
echo "Pictures for the command reference: $root/docs/images"
if [ -n "$failed" ]; then
  echo "Failed:$failed" >&2
  exit 1
fi
