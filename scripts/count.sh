#!/bin/sh
# Instruction counts of every command, and the budget that holds them:
#
#   sh scripts/count.sh [native] [i686]   count and print the tables
#   sh scripts/count.sh --check [BUILD]   count, and compare with bench/count_budget.tsv
#   sh scripts/count.sh --update [BUILD]  count, and write the budget and the
#                                         tables of docs/performance.md
#
# Builds the driver bench/count_commands.cpp with the plug-in and the
# stand-in host (presets count-native and count-i686: optimised, without
# sanitizers; the 32-bit build with the shipped DLL's code generation) and
# counts one warm call of each command: natively under callgrind, the 32-bit
# build under qemu-i386 with bench/count_plugin.c.  Each build's counts are
# left in build/count-BUILD/counts.tsv.  The check fails when a command's
# host calls or heap allocations change at all or its plug-in instructions
# rise by more than 2 %; its last line is "counts: P passed, F failed".
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mode=print
case $1 in --check | --update) mode=${1#--}; shift ;; esac
builds=${*:-native i686}
budget=bench/count_budget.tsv doc=docs/performance.md
counted=""

for build in $builds; do
  case $build in native | i686) ;; *) echo "unknown build $build (native or i686)" >&2; exit 2 ;; esac
  dir=$root/build/count-$build
  echo "building $build" >&2
  cmake --preset "count-$build" >/dev/null
  cmake --build --preset "count-$build" >/dev/null
  objects=$dir/CMakeFiles/ec_count.dir
  rm -rf "$dir/counts" && mkdir -p "$dir/counts"
  echo "counting $build" >&2
  if [ "$build" = native ]; then
    options="--compress-strings=no --compress-pos=no --demangle=no"
    for allocator in malloc calloc realloc posix_memalign aligned_alloc memalign; do
      options="$options --separate-callers20=$allocator"  # call chains of allocations
    done
    (cd "$dir/counts" &&
      valgrind --tool=callgrind $options --collect-atstart=no --toggle-collect=ec_counted_call \
        --callgrind-out-file=costs.out "$dir/ec_count" . 2>costs.log >/dev/null &&
      valgrind --tool=callgrind $options --callgrind-out-file=counts.out "$dir/ec_count" . \
        2>counts.log >/dev/null)
    python3 bench/count_table.py callgrind "$objects" "$dir/counts" > "$dir/counts.tsv"
  else
    # 32-bit code: counted by a plug-in of QEMU's user-mode emulator, which
    # counts as callgrind does (valgrind's 32-bit tool cannot run where
    # 32-bit programs themselves run emulated).
    gcc -shared -fPIC -O2 -Wall -Wextra -Werror bench/count_plugin.c -o "$dir/count_plugin.so"
    python3 bench/count_table.py ranges "$objects" "$dir/ec_count" > "$dir/ranges.txt"
    (cd "$dir/counts" && qemu-i386 -plugin "$dir/count_plugin.so,ranges=$dir/ranges.txt,out=steps.txt" \
      "$dir/ec_count" . > names.txt)
    python3 bench/count_table.py steps "$dir/counts/names.txt" "$dir/counts/steps.txt" > "$dir/counts.tsv"
  fi
  counted="$counted $build=$dir/counts.tsv"
  if [ "$mode" = print ]; then
    echo "## $build"
    python3 bench/count_table.py table "$dir/counts.tsv"
  fi
done
[ "$mode" = print ] || python3 bench/count_table.py "$mode" "$budget" "$doc" $counted
