#!/bin/sh
# The main job: builds the shipped 32-bit ExtraCommands.dll and its release
# package (with the reference and the browser playground), and runs the
# showcase (every example script, through the runner on the stand-in host).
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
cmake --preset web >/dev/null
cmake --build --preset web  # the playground, which the package carries
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target package  # the DLL, the reference pages, then the package
echo "Shipped DLL: $(pwd)/build/win32/ExtraCommands.dll"
package=build/dist/ExtraCommands-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt).zip
unzip -tq "$package"
echo "Package: $(pwd)/$package"
cmake --preset native >/dev/null
cmake --build --preset native
sh scripts/showcase.sh
