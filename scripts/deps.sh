#!/bin/sh
# Installs the Debian packages the build and the tests need (as root), only
# those that are missing.
set -e
packages="cmake ninja-build g++ clang libgtest-dev googletest libbenchmark-dev libpng-dev libgif-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 sox python3"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq $missing >/dev/null
fi
