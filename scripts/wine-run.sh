#!/bin/sh
# Runs a Windows test program under the Wine loader named first. Under load,
# Wine now and then fails to start a process at all: it exits at once having
# printed nothing. Such a start is tried again (twice at most); a program that
# ran and printed anything keeps its result.
loader=$1
shift
out=$(mktemp)
tries=0
while :; do
  rc=0
  "$loader" "$@" >"$out" 2>&1 || rc=$?
  tries=$((tries + 1))
  if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ "$tries" -ge 3 ]; then break; fi
  echo "wine-run: the program exited with $rc before printing anything; starting it again" >&2
done
cat "$out"
rm -f "$out"
exit "$rc"
