#!/bin/sh
# Builds the playground and the reference (preset web) and serves them on
# http://127.0.0.1:8000/ (another port: PORT=8080 sh scripts/playground.sh),
# which opens the playground.  Stop with Ctrl-C.  The same pages work without
# a server: open build/web/playground/index.html or build/web/reference/index.html.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
cmake --preset web >/dev/null
cmake --build --preset web
port="${PORT:-8000}"
echo "playground: http://127.0.0.1:$port/ (the reference: http://127.0.0.1:$port/reference/)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
