#!/bin/sh
# The playground and the release package in real browsers: builds the web
# preset (the site, build/web), the native runner (whose screenshots the
# canvas must equal) and the package (preset win32), serves build/web on
# 127.0.0.1 and runs tests/web/playground_test.mjs in Debian's Chromium and
# Firefox ESR, served and from the unzipped package.  Page screenshots land
# in build/web-tests/BROWSER/.  The last line is the summary, "web: N passed, M
# failed"; the exit status is 0 only when all passed.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
# EC_BUILT=1: the caller has built all three (scripts/test.sh does, and runs
# other stages beside this one that must not find a build under way).
if [ -z "${EC_BUILT:-}" ]; then
  cmake --preset web >/dev/null
  cmake --build --preset web
  cmake --preset native >/dev/null
  cmake --build --preset native --target ec_runner
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target package
fi
package=build/dist/ExtraCommands-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt).zip

# puppeteer-core from the lock file; it drives /usr/bin/chromium and
# /usr/bin/firefox-esr and never downloads a browser of its own.
export PUPPETEER_SKIP_DOWNLOAD=1
if [ ! -d tests/web/node_modules/puppeteer-core ] || [ tests/web/package-lock.json -nt tests/web/node_modules ]; then
  (cd tests/web && npm ci --silent)
fi

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web >build/web-server.log 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
python3 - "$port" <<'WAIT'
import socket, sys, time
for _ in range(100):
    try:
        socket.create_connection(("127.0.0.1", int(sys.argv[1])), 1).close()
        break
    except OSError:
        time.sleep(0.1)
WAIT

# Each browser in its own test process, the two side by side: the pages
# spend much of their time waiting on their browser, so on two cores the
# pair takes little longer than one.  They share the native runner's
# screenshots (build/web-tests/native), each script run once for both.  "--browsers a,b" narrows them; the
# other arguments go to every process.
browsers="chromium firefox" previous=""
for arg in "$@"; do
  [ "$previous" = --browsers ] && browsers=$(echo "$arg" | tr , ' ')
  previous=$arg
done
rm -rf build/web-tests && mkdir -p build/web-tests
runs=""
for name in $browsers; do
  (status=0
   node tests/web/playground_test.mjs --url "http://127.0.0.1:$port/playground/" --site build/web \
     --runner build/native/ec_runner --examples examples --package "$package" --out "build/web-tests/$name" \
     --natives build/web-tests/native \
     "$@" --browsers "$name" > "build/web-tests/$name.log" 2>&1 || status=$?
   # A run that broke before its summary still ends with one.
   [ "$status" -le 1 ] || echo "web: 0 passed, 1 failed" >> "build/web-tests/$name.log") &
  runs="$runs $!"
done
for run in $runs; do wait "$run"; done
passed=0 failed=0
for name in $browsers; do
  grep -v '^web: ' "build/web-tests/$name.log" || true
  set -- $(sed -n 's/^web: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "build/web-tests/$name.log" | tail -n 1)
  if [ $# -eq 2 ]; then passed=$((passed + $1)) failed=$((failed + $2)); else failed=$((failed + 1)); fi
done
echo "web: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
