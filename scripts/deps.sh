#!/bin/sh
# Installs, as root, every Debian package that a build, a test or the
# packaging uses directly, each named here (none taken on trust as another
# package's recommendation or as already present), always the same set and
# always without recommendations, so that which script runs first cannot
# change what gets installed.  32-bit Wine comes from the i386 architecture;
# qemu-user runs it where the kernel refuses i386 programs.  Then, once per
# build folder, each toolchain is tried with its smallest real use; a failing
# probe stops here with one line naming the package to install.  Last, the
# zlib, libpng and giflib sources that the playground's PNG and GIF files are
# written with are unpacked into build/web-deps.
#
#   sh scripts/deps.sh
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
packages="
  cmake ninja-build g++ git python3 ccache unzip ca-certificates
  libgtest-dev googletest libbenchmark-dev libpng-dev libgif-dev zlib1g-dev
  clang libclang-rt-14-dev clang-format-14
  g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 wine32:i386 qemu-user g++-multilib valgrind
  sox pandoc
  emscripten node-acorn nodejs chromium firefox-esr
  dpkg-dev debian-archive-keyring xz-utils"
# The machine's Node.js may come with its own npm, which Debian's would hide.
command -v npm >/dev/null 2>&1 || packages="$packages npm"

# A mirror caught mid-sync serves an index that does not match its signed
# list, and apt-get update fails: try again a little later, then go on with
# the indexes that did arrive (the install says what they cannot give).
apt_update() {
  for attempt in 1 2 3; do
    apt-get "$@" update -qq && return 0
    [ "$attempt" = 3 ] || sleep 20
  done
  echo "deps: apt-get update could not fetch every package index; going on with those it has" >&2
}

missing=""
for p in $packages; do
  dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed' || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt_update
  apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=900 $missing >/dev/null
fi

# One probe per toolchain: what it runs, and the package that gives it.
mkdir -p "$root/build"
stamp="$root/build/deps-probed"
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$packages" ]; then
  probe=$(mktemp -d "${TMPDIR:-/tmp}/ec-probe.XXXXXX")
  trap 'rm -rf "$probe"' EXIT
  cd "$probe"
  fail() { echo "deps: $1 does not work here: install Debian's $2 (apt-get install $2)" >&2; exit 1; }
  printf 'int main() { return 0; }\n' > main.cpp
  printf 'extern "C" int LLVMFuzzerTestOneInput(const char *, unsigned long) { return 0; }\n' > fuzz.cpp
  printf '# probe\n' > probe.md
  printf '<!doctype html><title>probe</title><p>probe</p>\n' > probe.html

  clang++ -fsanitize=fuzzer,address fuzz.cpp -o fuzz >/dev/null 2>&1 || fail "clang's fuzzer and sanitizer runtimes" libclang-rt-14-dev
  i686-w64-mingw32-g++-win32 -static main.cpp -o win32.exe >/dev/null 2>&1 || fail "the i686 MinGW-w64 compiler" g++-mingw-w64-i686-win32
  i686-w64-mingw32-g++-posix -static main.cpp -o posix32.exe >/dev/null 2>&1 || fail "the i686 MinGW-w64 posix compiler" g++-mingw-w64-i686-posix
  x86_64-w64-mingw32-g++-posix -static main.cpp -o posix64.exe >/dev/null 2>&1 || fail "the x86_64 MinGW-w64 posix compiler" g++-mingw-w64-x86-64-posix
  g++ main.cpp -o main >/dev/null 2>&1 || fail g++ g++
  g++ -m32 -static main.cpp -o main32 >/dev/null 2>&1 || fail "32-bit code generation" g++-multilib
  qemu-i386 ./main32 || fail qemu-i386 qemu-user
  valgrind -q --tool=none ./main || fail valgrind valgrind
  emcc -O0 -sSINGLE_FILE main.cpp -o main.js >/dev/null 2>&1 && node main.js || fail "emcc (Emscripten) and node" emscripten
  mkdir -p "$HOME/.cache/extracommands"
  WINEDEBUG=-all WINEPREFIX="$HOME/.cache/extracommands/wine" /usr/lib/wine/wine64 posix64.exe >/dev/null 2>&1 || fail wine64 wine64
  [ -x /usr/lib/wine/wine ] || fail "32-bit Wine" wine32:i386  # whether it runs here: scripts/wine32-probe.sh
  chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$probe/chromium" \
    --dump-dom "file://$probe/probe.html" 2>/dev/null | grep -q '<p>probe' || fail "headless Chromium" chromium
  HOME="$probe" timeout 120 firefox-esr --headless --no-remote --profile "$(mkdir -p firefox && echo "$probe/firefox")" \
    --screenshot "$probe/firefox.png" "file://$probe/probe.html" >/dev/null 2>&1 && [ -s firefox.png ] ||
    fail "headless Firefox" firefox-esr
  # The browser tests' driver (puppeteer-core, pinned in tests/web) sends
  # WebDriver BiDi commands that Firefox ESR 140 does not know; 153 has them.
  firefox=$(HOME="$probe" firefox-esr --version 2>/dev/null | sed -n 's/^Mozilla Firefox \([0-9]*\).*/\1/p')
  [ "${firefox:-0}" -ge 153 ] || fail "Firefox ESR ${firefox:-?} (the browser tests' driver needs 153 or later, from bookworm-security)" firefox-esr
  pandoc --from gfm --to html5 probe.md | grep -q '<h1' || fail pandoc pandoc
  sox -n probe.wav synth 0.01 sine 440 && [ -s probe.wav ] || fail sox sox
  ccache --version >/dev/null || fail ccache ccache
  npm ping >/dev/null 2>&1 || fail "npm (reaching the registry: check the network and npm's registry setting)" npm
  cd "$root"
  echo "$packages" > "$stamp"
fi

# Debian's own zlib, libpng and giflib sources, unpacked into build/web-deps, through
# a source list of its own so that the machine's apt setup stays as it is.
deps="$root/build/web-deps"
if [ ! -f "$deps/zlib/zlib.h" ] || [ ! -f "$deps/libpng/png.h" ] || [ ! -f "$deps/giflib/gif_lib.h" ]; then
  rm -rf "$deps" && mkdir -p "$deps/lists/partial" "$deps/download"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
    > "$deps/sources.list"
  set -- -o Dir::Etc::SourceList="$deps/sources.list" -o Dir::Etc::SourceParts=/nonexistent \
    -o Dir::State::Lists="$deps/lists" -o APT::Sandbox::User=root
  apt_update "$@"
  (cd "$deps/download" && apt-get "$@" source -qq --download-only zlib libpng1.6 giflib)
  # apt has checked the files against the signed index; the .dsc signatures
  # themselves need Debian's developer keyring, so dpkg-source's doubt is muted.
  dpkg-source -x "$deps"/download/zlib_*.dsc "$deps/zlib" >/dev/null 2>&1
  dpkg-source -x "$deps"/download/libpng1.6_*.dsc "$deps/libpng" >/dev/null 2>&1
  dpkg-source -x "$deps"/download/giflib_*.dsc "$deps/giflib" >/dev/null 2>&1
fi
