#!/bin/sh
# Line and branch coverage of the plug-in's own code (not the stand-in host,
# not the tests) by the native test suite, measured with gcov through gcovr.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
dpkg -s gcovr >/dev/null 2>&1 || { apt-get update -qq && apt-get install -y -qq gcovr >/dev/null; }
cmake -S . -B build/coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DEC_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build/coverage
find build/coverage -name '*.gcda' -delete
ctest --test-dir build/coverage -j2 -E 'ShippedDll' >/dev/null || true
gcovr --root . --object-directory build/coverage \
  --filter 'plugin/' --filter 'draw2d/' --filter 'objects3d/' --filter 'rotation/' --filter 'utilities/' \
  --exclude 'build/' --gcov-ignore-errors=no_working_dir_found \
  --exclude-throw-branches --exclude-unreachable-branches --print-summary \
  --txt build/coverage/coverage.txt
