#!/bin/sh
# Instruction counts of every command, run by hand (not a test):
#
#   sh scripts/count.sh [native] [i686]
#
# Builds the plug-in, the stand-in host and bench/count_commands.cpp
# optimised, without sanitizers, natively and as 32-bit Linux code with the
# shipped DLL's code generation (SSE floating point, no FMA, not
# position-independent), counts one warm call of each command (natively under
# callgrind, the 32-bit build under qemu-i386 with bench/count_plugin.c) and
# prints a table per build (also left in build/count/BUILD/table.md).  Needs
# valgrind, g++-multilib and qemu-user (scripts/deps.sh installs them).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
builds=${*:-native i686}
common="-std=c++20 -O3 -DNDEBUG -g -Wall -Wextra -Werror -ffp-contract=off"
sources=$(ls "$root"/plugin/*.cpp "$root"/draw2d/*.cpp "$root"/objects3d/*.cpp \
  "$root"/rotation/*.cpp "$root"/utilities/*.cpp "$root"/hostsim/*.cpp \
  "$root"/bench/count_commands.cpp | grep -v -e 'plugin/dllmain\.cpp$' -e 'hostsim/png_io\.cpp$')

for build in $builds; do
  case $build in
    native) arch="" ; link="" ;;
    i686) arch="-m32 -msse2 -mfpmath=sse -fno-pie -maccumulate-outgoing-args -mstackrealign" ; link="-m32 -static -no-pie" ;;
    *) echo "unknown build $build (native or i686)" >&2; exit 2 ;;
  esac
  dir=$root/build/count/$build
  rm -rf "$dir"
  mkdir -p "$dir/obj"
  echo "building $build" >&2
  # One object per source, two at a time; the object is named after its path.
  echo "$sources" | CXXFLAGS="$common $arch" OBJ="$dir/obj" xargs -P 2 -I{} sh -c \
    'o=$(echo "{}" | tr / _); g++ $CXXFLAGS -c "{}" -o "$OBJ/$o.o"'
  g++ $link "$dir"/obj/*.o -o "$dir/ec_count"
  echo "counting $build" >&2
  if [ "$build" = native ]; then
    options="--compress-strings=no --compress-pos=no --demangle=no"
    for allocator in malloc calloc realloc posix_memalign aligned_alloc memalign; do
      options="$options --separate-callers20=$allocator"  # call chains of allocations
    done
    valgrind --tool=callgrind $options --collect-atstart=no --toggle-collect=ec_counted_call \
      --callgrind-out-file="$dir/costs.out" "$dir/ec_count" "$dir" 2>"$dir/costs.log" >/dev/null
    valgrind --tool=callgrind $options \
      --callgrind-out-file="$dir/counts.out" "$dir/ec_count" "$dir" 2>"$dir/counts.log" >/dev/null
    python3 "$root/bench/count_table.py" callgrind "$root" "$dir/obj" "$dir" > "$dir/table.md"
  else
    # 32-bit code: counted by a plug-in of QEMU's user-mode emulator, which
    # counts as callgrind does (valgrind's 32-bit tool cannot run where
    # 32-bit programs themselves run emulated).
    gcc -shared -fPIC -O2 -Wall -Wextra -Werror "$root/bench/count_plugin.c" -o "$dir/count_plugin.so"
    python3 "$root/bench/count_table.py" ranges "$root" "$dir/obj" "$dir/ec_count" > "$dir/ranges.txt"
    qemu-i386 -plugin "$dir/count_plugin.so,ranges=$dir/ranges.txt,out=$dir/steps.txt" \
      "$dir/ec_count" "$dir" > "$dir/names.txt"
    python3 "$root/bench/count_table.py" steps "$dir/names.txt" "$dir/steps.txt" > "$dir/table.md"
  fi
  echo "## $build"
  cat "$dir/table.md"
done
