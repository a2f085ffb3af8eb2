#!/usr/bin/env bash
# Builds the simulator and starts it in its own folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$(nproc)"
cd build/bin
if [[ -x ./tiko ]]; then
  exec ./tiko
fi
# No window yet: show the unit opening and a game starting, headless.
exec ./tiko-script ../../tools/demo/opening.tiko
