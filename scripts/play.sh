#!/usr/bin/env bash
# Installs what the game needs to build, builds the game alone (no tests) and
# starts it. Arguments go to the program (tiko --help lists them). One line per
# step; apt's and the build's output go to log files in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --game
mkdir -p build
log=build/build.log
echo "== building the game (the first time about 3 minutes on 2 cores; log: $log)"
if ! { cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
  cmake --build build -j"$(nproc)"; } > "$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "the build failed; the whole output is in $log" >&2
  exit 1
fi
echo "== starting build/bin/tiko"
exec build/bin/tiko "$@"
