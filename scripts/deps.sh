#!/bin/sh
# Installs the Debian packages the build and the tests need (as root), only
# those that are missing.  32-bit Wine comes from the i386 architecture;
# qemu-user runs it where the kernel refuses i386 programs.
#
#   sh scripts/deps.sh        the native, Windows and fuzz builds and their tests
#   sh scripts/deps.sh web    also the browser build and its tests: Emscripten,
#                             Chromium, and the zlib, libpng and giflib sources
#                             that the PNG and GIF files are written with
set -e
packages="cmake ninja-build g++ clang libgtest-dev googletest libbenchmark-dev libpng-dev libgif-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 wine32:i386 qemu-user sox python3 pandoc unzip
  valgrind g++-multilib clang-format-14"
options=""
if [ "$1" = web ]; then
  packages="$packages emscripten node-acorn chromium dpkg-dev"
  # The machine's Node.js may come with its own npm, which Debian's would replace.
  command -v npm >/dev/null 2>&1 || packages="$packages npm"
  options="--no-install-recommends"
fi
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq -o DPkg::Lock::Timeout=900 $options $missing >/dev/null
fi

# Debian's own zlib, libpng and giflib sources, unpacked into build/web-deps, through
# a source list of its own so that the machine's apt setup stays as it is.
if [ "$1" = web ]; then
  root="$(cd "$(dirname "$0")/.." && pwd)"
  deps="$root/build/web-deps"
  if [ ! -f "$deps/zlib/zlib.h" ] || [ ! -f "$deps/libpng/png.h" ] || [ ! -f "$deps/giflib/gif_lib.h" ]; then
    rm -rf "$deps" && mkdir -p "$deps/lists/partial" "$deps/download"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
      > "$deps/sources.list"
    set -- -o Dir::Etc::SourceList="$deps/sources.list" -o Dir::Etc::SourceParts=/nonexistent \
      -o Dir::State::Lists="$deps/lists" -o APT::Sandbox::User=root
    apt-get "$@" update -qq
    (cd "$deps/download" && apt-get "$@" source -qq --download-only zlib libpng1.6 giflib)
    # apt has checked the files against the signed index; the .dsc signatures
    # themselves need Debian's developer keyring, so dpkg-source's doubt is muted.
    dpkg-source -x "$deps"/download/zlib_*.dsc "$deps/zlib" >/dev/null 2>&1
    dpkg-source -x "$deps"/download/libpng1.6_*.dsc "$deps/libpng" >/dev/null 2>&1
    dpkg-source -x "$deps"/download/giflib_*.dsc "$deps/giflib" >/dev/null 2>&1
  fi
fi
