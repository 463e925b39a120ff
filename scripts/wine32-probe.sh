#!/bin/sh
# Can this machine run the shipped DLL's 32-bit code?  Runs a tiny i686
# Windows program under 32-bit Wine (creating the Wine prefix on first use)
# and prints one line saying why not when it cannot.
#
# Some kernels refuse i386 programs (execve gives "Exec format error").
# There the i386 Wine loader runs under QEMU's user-mode emulation, which
# is registered for i386 programs if the kernel allows it (mounting the
# kernel's binfmt_misc registry first where nothing has); Wine then needs
# the whole 32-bit address space (QEMU_RESERVED_VA).  Starting a Wine
# process there takes minutes, so a success is remembered in the Wine prefix,
# for these versions of Wine, QEMU, the kernel and the compiler.
set -u
wine=/usr/lib/wine/wine
export QEMU_RESERVED_VA=0xffff0000
if [ ! -x "$wine" ]; then
  echo "32-bit path skipped: 32-bit Wine ($wine) is not installed"
  exit 1
fi
if ! "$wine" --version >/dev/null 2>&1; then
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
  if [ -x /usr/bin/qemu-i386 ] && [ -w "$binfmt/register" ] && [ ! -e "$binfmt/qemu-i386" ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:' \
      > "$binfmt/register" 2>/dev/null
  fi
  if ! "$wine" --version >/dev/null 2>&1; then
    echo "32-bit path skipped: this machine cannot run i686 programs (the kernel refuses them and QEMU user-mode emulation could not be registered)"
    exit 1
  fi
  echo "32-bit path: the kernel refuses i386 programs; running them under QEMU user-mode emulation"
fi
prefix=${WINEPREFIX:-$HOME/.wine}
verdict="$prefix/extracommands-probed"
versions="$("$wine" --version) $(qemu-i386 --version 2>/dev/null | head -n 1) $(uname -r) $(i686-w64-mingw32-gcc -dumpversion 2>/dev/null)"
if [ -f "$prefix/system.reg" ] && [ "$(cat "$verdict" 2>/dev/null)" = "$versions" ]; then
  exit 0
fi
probe_dir=$(mktemp -d)
printf '#include <stdio.h>\nint main(void) { printf("%%d\\n", (int)sizeof(void*)); return 0; }\n' > "$probe_dir/probe.c"
if ! i686-w64-mingw32-gcc "$probe_dir/probe.c" -o "$probe_dir/probe.exe" 2>/dev/null; then
  echo "32-bit path skipped: the i686 MinGW-w64 compiler cannot build a probe"
  rm -rf "$probe_dir"; exit 1
fi
answer=$(timeout 900 "$wine" "$probe_dir/probe.exe" 2>/dev/null | tr -d '\r')
rm -rf "$probe_dir"
if [ "$answer" != "4" ]; then
  echo "32-bit path skipped: a tiny i686 program did not run under 32-bit Wine"
  exit 1
fi
echo "$versions" > "$verdict"
