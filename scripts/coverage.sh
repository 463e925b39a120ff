#!/bin/sh
# Line and branch coverage of the plug-in's own code (not the stand-in host,
# not the tests) by the native test suite, measured with gcov through gcovr
# (Debian's 5.x or later).  A failing test fails the script.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
command -v gcovr >/dev/null 2>&1 ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -o DPkg::Lock::Timeout=900 gcovr >/dev/null
cmake -S . -B build/coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DEC_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build/coverage
find build/coverage -name '*.gcda' -delete
# CMake's compiler probe was built with --coverage too; its notes lead nowhere.
find build/coverage/CMakeFiles -path '*CompilerId*' -name '*.gcno' -delete
ctest --test-dir build/coverage -j2 --output-on-failure >build/coverage/ctest.log ||
  { tail -n 40 build/coverage/ctest.log; echo "coverage: tests failed" >&2; exit 1; }
gcovr --root . --object-directory build/coverage \
  --filter 'plugin/' --filter 'draw2d/' --filter 'objects3d/' --filter 'rotation/' --filter 'utilities/' \
  --exclude 'build/' --exclude-throw-branches --exclude-unreachable-branches --print-summary \
  --txt build/coverage/coverage.txt
