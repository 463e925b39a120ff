#!/bin/sh
# Runs every test: native with AddressSanitizer + UBSan, the 64-bit Windows
# build under wine64, the shipped 32-bit DLL under 32-bit Wine (with the
# checks of its file), a replay of the fuzz corpus on both Windows paths, a
# short fuzz run, the playground in a real browser, the reproducible-build
# check and the layout of the sources.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
mkdir -p build

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
root=$(pwd)

# Every source laid out as .clang-format sets it.
format_status=0
sh scripts/format.sh --check || format_status=1

cmake --preset win32 >/dev/null
cmake --build --preset win32
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset win64 >/dev/null
cmake --build --preset win64

ctest --preset native 2>&1 | tee build/native-tests.log

# One persistent wine server for all the 64-bit Windows test processes.
export WINEPREFIX="$root/build/wine"
"/usr/lib/wine/wineserver64" -p >/dev/null 2>&1 &
ctest --preset win64 2>&1 | tee build/win64-tests.log
"/usr/lib/wine/wineserver64" -k >/dev/null 2>&1 || true

# The shipped DLL itself, as 32-bit programs load it.
win32_passed=0 win32_failed=0 win32_skipped=0
export WINEPREFIX="$root/build/wine32"
if probe=$(sh scripts/wine32-probe.sh); then
  [ -n "$probe" ] && echo "$probe"
  cmake --preset win32-tests >/dev/null
  cmake --build --preset win32-tests
  ctest --preset win32-tests > build/win32-tests.log 2>&1 || true
  grep -E "tests passed|\(Failed\)|\(Timeout\)|Failure|\[  FAILED  \]|replayed" build/win32-tests.log || true
  # Each program is one process: its googletest summary gives its counts; a
  # program that ended without one (a crash, a time-out) counts as a failure.
  log=build/win32-tests.log
  finished=$(grep -c "\[==========\] .* ran\." "$log" || true)
  win32_passed=$(sed -n 's/.*\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | awk '{s+=$1} END {print s+0}')
  win32_failed=$(sed -n 's/.*\[  FAILED  \] \([0-9]*\) test.*, listed below.*/\1/p' "$log" | awk '{s+=$1} END {print s+0}')
  programs=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log")
  unfinished=$(( ${programs:-2} - finished ))
  if [ "$unfinished" -gt 0 ]; then
    echo "win32: $unfinished test programs did not finish"
    win32_failed=$((win32_failed + unfinished))
  fi
  echo "win32: $win32_passed passed, $win32_failed failed"
else
  echo "$probe"
  win32_skipped=1
fi

# Two clean builds of the shipped DLL give the same bytes.
repro_status=0
sh scripts/reproducible.sh || repro_status=1

# A short fuzz run over every command, from the seed corpus.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
rm -rf build/fuzz/corpus && cp -r tests/fuzz/corpus build/fuzz/corpus
fuzz_status=0
build/fuzz/ec_fuzz -max_total_time=60 -max_len=512 -artifact_prefix=build/fuzz/ build/fuzz/corpus \
  > build/fuzz/fuzz.log 2>&1 || fuzz_status=1
grep -E "^Done|SUMMARY" build/fuzz/fuzz.log || true

# The playground in Debian's Chromium: every example against the native
# runner's screenshot, faults, shared links, input, the size budget.
sh scripts/web-test.sh > build/web-tests.log 2>&1 || true
grep -E "^FAILED|^web:" build/web-tests.log || true
set -- $(sed -n 's/^web: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' build/web-tests.log | tail -n 1)
web_passed=${1:-0} web_failed=${2:-1}

count() { r=$(sed -n "s/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p" "$1"); echo "${r:-1 1}"; }
set -- $(count build/native-tests.log) $(count build/win64-tests.log)
failed=$(( $1 + $3 + win32_failed + web_failed + fuzz_status + repro_status + format_status ))
passed=$(( $2 - $1 + $4 - $3 + win32_passed + web_passed + 3 - fuzz_status - repro_status - format_status ))
echo "total: $passed passed, $failed failed, $win32_skipped skipped"
[ "$failed" -eq 0 ] && [ "$passed" -gt 1 ]
