#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/deps/, asking apt only when
# something is missing: every list (for the tests), or with --game only
# game.txt, what building and playing the game needs.
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
  echo "Installing: ${missing[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
