#!/bin/sh
# Checks that the shipped DLL is reproducible: builds it a second time, from a
# fresh copy of the sources into a fresh build directory (both elsewhere), with
# the same preset, and compares it byte for byte with build/win32/. The debug
# file is compared too: the DLL's debug link carries its checksum.  The second
# build does not use the compiler cache, so it compiles every source afresh.
# Exit status 0 when both files are identical, 1 when not.
set -e
cd "$(dirname "$0")/.."
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target ExtraCommands >/dev/null

copy=$(mktemp -d "${TMPDIR:-/tmp}/ec-reproducible.XXXXXX")
trap 'rm -rf "$copy"' EXIT
mkdir "$copy/sources"
tar --exclude=./build --exclude=./.git -cf - . | tar -xf - -C "$copy/sources"
(cd "$copy/sources" && export CCACHE_DISABLE=1 && cmake --preset win32 -B "$copy/second-build" >/dev/null &&
  cmake --build "$copy/second-build" --target ExtraCommands >/dev/null)

status=0
for file in ExtraCommands.dll ExtraCommands.dll.debug; do
  cmp "build/win32/$file" "$copy/second-build/$file" || status=1
done
if [ "$status" -eq 0 ]; then
  echo "reproducible: a second build elsewhere gives the same ExtraCommands.dll" \
    "($(wc -c < build/win32/ExtraCommands.dll) bytes) and the same debug file"
else
  echo "reproducible: FAILED, a second build elsewhere gives a different ExtraCommands.dll or debug file"
fi
exit "$status"
