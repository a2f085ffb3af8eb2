#!/usr/bin/env bash
# Resident memory of the simulator window at 100 %, 200 % and 300 % zoom, the
# unit open, on a screen tall enough for 300 %. What the larger zooms add over
# 100 % is the pictures at their scale (from the @2x/@3x variants; those at
# 100 % are let go with the pictures not shown) and the larger frame.
# Needs xdotool; runs itself under xvfb-run when no X display is set.
# Usage: bench/window/zoom_memory.sh [build/bin/tiko]
set -euo pipefail
repo=$(readlink -f "$(dirname "$0")/../..")
tiko=$(readlink -f "${1:-$repo/build/bin/tiko}")
if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 1600x2400x24 -noreset" "$0" "$tiko"
fi
export QT_QPA_PLATFORM=xcb
bindir=$(dirname "$tiko")
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/Orvane"
pid=""
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
base=""
for zoom in 100 200 300; do
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orvane\\Qorvix50]\r\n"FullscreenMode"="0"\r\n"SoundMode"="2"\r\n"SplashScreen"="0"\r\n"Zoom"="%s"\r\n' \
    "$zoom" > "$XDG_CONFIG_HOME/Orvane/Qorvix50.reg"
  (cd "$bindir" && exec "$tiko" > /dev/null) &
  pid=$!
  wid=""
  for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --pid "$pid" --name "Bolo Garu Tiko" 2>/dev/null | head -1 || true)
    [[ -n $wid ]] && break
    sleep 0.05
  done
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  xdotool key 5  # open: the lid, the screen frame and the LCD are drawn
  sleep 11       # past the 10 s after which pictures no image shows are let go
  size=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}')
  pixels=$((${size%x*} * ${size#*x}))
  rss=$(rss_kib "$pid")
  [[ -z $base ]] && { base=$rss; base_pixels=$pixels; }
  # The frame and the window's backing store hold 4 bytes a pixel each; the
  # rest of the growth is the pictures at their scale.
  frames=$(((pixels - base_pixels) * 8 / 1024))
  echo "zoom $zoom %: window $size, resident $rss KiB, $(((rss - base) / 1024)) MiB over 100 %:" \
    "$((frames / 1024)) MiB frame and backing store, $(((rss - base - frames) / 1024)) MiB pictures"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
done
