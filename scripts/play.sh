#!/usr/bin/env bash
# Builds the simulator and starts it in its own folder (it reads the skin, the
# pictures and the sounds relative to it).
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ -x scripts/install-deps.sh ]]; then
  scripts/install-deps.sh
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$(nproc)"
cd build/bin
exec ./tiko "$@"
