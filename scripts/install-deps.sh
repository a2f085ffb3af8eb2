#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/deps/, asking apt only when
# something is missing: every list (for the tests), or with --game only
# game.txt, what building and playing the game needs. apt runs as root, or
# through sudo. Its output goes to build/install-deps.log; one line tells what
# is installed, and the log's end is shown when apt fails.
set -euo pipefail
cd "$(dirname "$0")/.."

lists=(scripts/deps/*.txt)
if [[ ${1:-} == --game ]]; then
  lists=(scripts/deps/game.txt)
fi
mapfile -t wanted < <(cat "${lists[@]}" | sed 's/#.*//' | tr -s ' \t' '\n' | grep -v '^$' | sort -u)
missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
if ((${#missing[@]})); then
  mkdir -p build
  log=build/install-deps.log
  echo "== installing ${#missing[@]} Debian packages with apt (log: $log)"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  if ! { $SUDO apt-get update -q &&
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends \
      "${missing[@]}"; } > "$log" 2>&1; then
    tail -n 20 "$log" >&2
    echo "apt failed; the whole output is in $log" >&2
    exit 1
  fi
fi
