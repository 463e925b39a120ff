#!/bin/sh
# Installs the Debian packages the build and the tests need (as root), only
# those that are missing.  32-bit Wine comes from the i386 architecture;
# qemu-user runs it where the kernel refuses i386 programs.
set -e
packages="cmake ninja-build g++ clang libgtest-dev googletest libbenchmark-dev libpng-dev libgif-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 wine32:i386 qemu-user sox python3 pandoc unzip
  valgrind g++-multilib"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq -o DPkg::Lock::Timeout=900 $missing >/dev/null
fi
