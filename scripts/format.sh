#!/bin/sh
# The layout of every C and C++ source, as .clang-format sets it.
#
#   sh scripts/format.sh          reformats the tracked sources in place
#   sh scripts/format.sh --check  lists the sources that differ and fails
#
# Pinned to one clang-format release: another release lays some lines out
# differently.
set -e
cd "$(dirname "$0")/.."
format=clang-format-14
sources=$(git ls-files '*.c' '*.cpp' '*.h')
if [ "$1" = --check ]; then
  status=0
  for source in $sources; do
    $format --style=file --dry-run -Werror "$source" >/dev/null 2>&1 || { echo "not formatted: $source"; status=1; }
  done
  exit $status
fi
$format --style=file -i $sources
