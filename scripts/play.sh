#!/usr/bin/env bash
# Installs what the game needs to build, builds the game alone (no tests) and
# starts it. Arguments go to the program (tiko --help lists them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --game
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
cmake --build build -j"$(nproc)"
exec build/bin/tiko "$@"
