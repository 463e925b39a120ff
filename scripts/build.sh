#!/bin/sh
# The main job: builds the shipped 32-bit ExtraCommands.dll and runs the
# showcase (every example script, through the runner on the stand-in host).
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
echo "Shipped DLL: $(pwd)/build/win32/ExtraCommands.dll"
if [ -f scripts/showcase.sh ]; then
  cmake --preset native >/dev/null
  cmake --build --preset native
  sh scripts/showcase.sh
fi
