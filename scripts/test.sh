#!/bin/sh
# Runs every test: native with AddressSanitizer + UBSan, the 64-bit Windows
# build under wine64, the shipped 32-bit DLL under 32-bit Wine (with the
# checks of its file), a replay of the fuzz corpus on both Windows paths, a
# short fuzz run, the playground and the release package in real browsers,
# the reproducible-build check, the instruction-count budget and the layout
# of the sources.
#
# Each stage's output goes to build/stages/STAGE.log; the closing summary
# gives each stage's wall time and counts, then the total.  The compilers run
# through ccache, whose cache lives outside the clone (ccache's own default
# place), so a second run of the same clone reuses it.  No base folder is set
# for it: ccache would then hand the compiler relative paths, and the shipped
# DLL's debug information, whose folders are mapped to fixed names, would
# differ from that of a build without the cache.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
sh scripts/deps.sh
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" QEMU_RESERVED_VA=0xffff0000
# The Wine prefixes live outside the clone, as the compiler cache does:
# setting one up takes minutes where QEMU runs the 32-bit half.
wine_prefixes="$HOME/.cache/extracommands"
mkdir -p "$wine_prefixes"
stages=build/stages
rm -rf "$stages" && mkdir -p "$stages"
began=$(date +%s)

# stage NAME COMMAND...: runs COMMAND with its output in $stages/NAME.log and
# keeps its wall time; a stage that counts tests leaves "NAME: P passed,
# F failed" as the last line of $stages/NAME.result.
stage() {
  name=$1 && shift
  start=$(date +%s)
  echo "== $name" >&2
  status=0
  "$@" > "$stages/$name.log" 2>&1 || status=$?
  echo $(( $(date +%s) - start )) > "$stages/$name.time"
  return "$status"
}
# A build that fails stops the run, with the end of its output.
build() {
  stage "$1" sh -c "cmake --preset $2 >/dev/null && cmake --build --preset $2 ${3:+--target $3}" || {
    tail -n 40 "$stages/$1.log"; echo "build $1 failed (log: $stages/$1.log)"; exit 1; }
}
# A check that passes or fails as a whole.
check() {
  name=$1 && shift
  if stage "$name" "$@"; then echo "$name: 1 passed, 0 failed"; else
    echo "$name: FAILED (log: $stages/$name.log)"; echo "$name: 0 passed, 1 failed"; fi > "$stages/$name.result"
}
# The tests of a preset, judged test by test from ctest's JUnit file.
run_ctest() {
  name=$1 preset=$2
  stage "$name" ctest --preset "$preset" --output-junit "$root/$stages/$name.xml" \
    --test-output-size-passed 1000000 --test-output-size-failed 1000000 || true
  python3 scripts/ctest_count.py "$name" "$stages/$name.xml" > "$stages/$name.result"
}
# A script whose last line of output is its summary "NAME: P passed, F failed";
# a script that exits with a failure its summary does not count is one more.
summarised() {
  name=$1 && shift
  status=0
  stage "$name" "$@" || status=$?
  summary=$(tail -n 1 "$stages/$name.log")
  if echo "$summary" | grep -qE "^$name: [0-9]+ passed, [0-9]+ failed$"; then
    grep -E "^FAILED" "$stages/$name.log" || true
    if [ "$status" -ne 0 ] && echo "$summary" | grep -q " 0 failed$"; then
      echo "$name: FAILED, exit status $status (log: $stages/$name.log)"
      summary=$(echo "$summary" | sed 's/ 0 failed$/ 1 failed/')
    fi
    echo "$summary"
  else
    echo "$name: FAILED, no summary line (log: $stages/$name.log)"
    echo "$name: 0 passed, 1 failed"
  fi > "$stages/$name.result"
}

# The builds first, each on both cores; the 32-bit test programs only where
# this machine can run them, which the probe finds out beside the builds
# (where QEMU runs 32-bit Wine, its first start takes minutes).
check format sh scripts/format.sh --check &
format=$!
WINEPREFIX="$wine_prefixes/wine32" sh scripts/wine32-probe.sh > "$stages/win32.probe" 2>&1 &
probe=$!
build build-win32 win32 ExtraCommands
build build-native native
build build-win64 win64
build build-fuzz fuzz
build build-counts-native count-native
build build-counts-i686 count-i686
build build-web web
build build-runner native ec_runner
build build-package win32 package
if wait "$probe"; then
  cat "$stages/win32.probe" >&2
  build build-win32-tests win32-tests
else
  mv "$stages/win32.probe" "$stages/win32.skipped"
fi
wait "$format" || true

# The playground and the unzipped package in Chromium and Firefox, from the
# builds above: the pages spend most of their time waiting on their
# browsers, so they run beside every stage below, on what those leave of
# the cores.
summarised web env EC_BUILT=1 sh scripts/web-test.sh &
web=$!

# The shipped DLL itself, as 32-bit programs load it: one process at a time,
# on one core beside every stage below (where QEMU runs them, it is the
# longest).  Every stage from here on finds its builds made above and
# leaves build/win32 as it is.
win32=""
if [ ! -f "$stages/win32.skipped" ]; then
  (export WINEPREFIX="$wine_prefixes/wine32" && run_ctest win32 win32-tests) &
  win32=$!
fi

run_ctest native native

# One persistent wine server for all the 64-bit Windows test processes.
export WINEPREFIX="$wine_prefixes/wine"
"/usr/lib/wine/wineserver64" -p >/dev/null 2>&1 &
run_ctest win64 win64
"/usr/lib/wine/wineserver64" -k >/dev/null 2>&1 || true

# A short fuzz run over every command, from the seed corpus.
fuzz_run() {
  rm -rf build/fuzz/corpus && cp -r tests/fuzz/corpus build/fuzz/corpus
  build/fuzz/ec_fuzz -max_total_time=60 -max_len=512 -artifact_prefix=build/fuzz/ build/fuzz/corpus
}
check fuzz fuzz_run

# Every command's host calls, heap allocations and instructions within budget.
summarised counts sh scripts/count.sh --check

# Two clean builds of the shipped DLL give the same bytes (the second without
# the compiler cache, in a folder of its own).
check reproducible sh scripts/reproducible.sh
[ -z "$win32" ] || wait "$win32" || true
wait "$web" || true

echo
echo "stage                 time   result"
passed=0 failed=0 skipped=0
for time in "$stages"/*.time; do
  name=$(basename "$time" .time)
  result=""
  if [ -f "$stages/$name.result" ]; then
    grep -v " passed, [0-9]* failed$" "$stages/$name.result" || true
    result=$(tail -n 1 "$stages/$name.result" | sed "s/^$name: //")
    set -- $(echo "$result" | sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p')
    if [ $# -eq 2 ]; then passed=$((passed + $1)) failed=$((failed + $2)); else failed=$((failed + 1)); fi
  fi
  printf '%-20s %5ss   %s\n' "$name" "$(cat "$time")" "$result"
done
if [ -f "$stages/win32.skipped" ]; then
  cat "$stages/win32.skipped"
  skipped=1
fi
echo "wall time: $(( $(date +%s) - began ))s"
echo "total: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
