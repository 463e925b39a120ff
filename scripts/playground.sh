#!/bin/sh
# Builds the playground (preset web) and serves it on http://127.0.0.1:8000/
# (another port: PORT=8080 sh scripts/playground.sh).  Stop with Ctrl-C.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh web
cmake --preset web >/dev/null
cmake --build --preset web
port="${PORT:-8000}"
echo "playground: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
