#!/bin/sh
# Runs every test: native with AddressSanitizer + UBSan, the 64-bit Windows
# build under wine64, and the static checks of the shipped 32-bit DLL.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-$(pwd)/build/wine}"
WINESERVER=/usr/lib/wine/wineserver64

cmake --preset win32 >/dev/null
cmake --build --preset win32
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset win64 >/dev/null
cmake --build --preset win64

ctest --preset native 2>&1 | tee build/native-tests.log

# One persistent wine server for all the Windows test processes.
"$WINESERVER" -p >/dev/null 2>&1 &
ctest --preset win64 2>&1 | tee build/win64-tests.log
"$WINESERVER" -k >/dev/null 2>&1 || true

# A short fuzz run over every command, from the seed corpus.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
rm -rf build/fuzz/corpus && cp -r tests/fuzz/corpus build/fuzz/corpus
fuzz_status=0
build/fuzz/ec_fuzz -max_total_time=60 -max_len=512 -artifact_prefix=build/fuzz/ build/fuzz/corpus \
  > build/fuzz/fuzz.log 2>&1 || fuzz_status=1
grep -E "^Done|SUMMARY" build/fuzz/fuzz.log || true

count() { r=$(sed -n "s/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p" "$1"); echo "${r:-1 1}"; }
set -- $(count build/native-tests.log) $(count build/win64-tests.log)
failed=$(( ${1:-0} + ${3:-0} ))
total=$(( ${2:-0} + ${4:-0} ))
failed=$((failed + fuzz_status))
total=$((total + 1))
echo "total: $((total - failed)) passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$total" -gt 1 ]
