#!/usr/bin/env bash
# Measures the simulator window: time from start to the first painted frame,
# CPU use over 60 s showing the clock and over 60 s of play, and resident memory,
# also at 100 %, 200 % and 300 % zoom (zoom_memory.sh, on a screen of its own).
# Needs xdotool; runs itself under xvfb-run when no X display is set.
# Usage: bench/window/measure.sh [build/bin/tiko] [SECONDS]
set -euo pipefail
repo=$(readlink -f "$(dirname "$0")/../..")
tiko=$(readlink -f "${1:-$repo/build/bin/tiko}")
seconds=${2:-60}
if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$tiko" "$seconds"
fi
export QT_QPA_PLATFORM=xcb  # a real window, also where tests default to offscreen
bindir=$(dirname "$tiko")
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/Orvane"
# Windowed, the overlays on; the rest at its defaults.
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orvane\\Qorvix50]\r\n"FullscreenMode"="0"\r\n' \
  > "$XDG_CONFIG_HOME/Orvane/Qorvix50.reg"
pid=""
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)

now_ms() { echo $(($(date +%s%N) / 1000000)); }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
hwm_kib() { awk '/^VmHWM/ {print $2}' "/proc/$1/status"; }
window_of() {
  for _ in $(seq 100); do
    xdotool search --pid "$1" --name "Bolo Garu Tiko" 2>/dev/null | head -1 && return 0
    sleep 0.05
  done
  return 1
}
stop() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}

echo "== first painted frame (5 starts)"
for run in 1 2 3 4 5; do
  fifo="$work/out$run"
  mkfifo "$fifo"
  t0=$(now_ms)
  (cd "$bindir" && TIKO_REPORT_FIRST_FRAME=1 exec "$tiko" > "$fifo") &
  pid=$!
  read -r line < "$fifo"
  t1=$(now_ms)
  echo "run $run: $((t1 - t0)) ms wall clock from launch; program says: ${line#tiko: }"
  stop
done

measure_cpu() {  # label
  local c0 c1 t0 t1
  c0=$(cpu_ticks "$pid"); t0=$(now_ms)
  sleep "$seconds"
  c1=$(cpu_ticks "$pid"); t1=$(now_ms)
  awk -v c=$((c1 - c0)) -v hz="$ticks" -v ms=$((t1 - t0)) -v what="$1" \
    'BEGIN { printf "%s: %.2f %% of one core (%d ticks of 1/%d s in %.1f s)\n", what, 100 * c / hz / (ms / 1000), c, hz, ms / 1000 }'
}

echo "== the clock"
(cd "$bindir" && exec "$tiko" > /dev/null) &
pid=$!
wid=$(window_of "$pid")
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool key 5; sleep 0.3   # open
xdotool key 3; sleep 1     # TIME: the clock
measure_cpu "clock, ${seconds} s"
echo "resident memory on the clock: $(rss_kib "$pid") KiB"

echo "== play"
xdotool key 1; sleep 4.5   # Game A, after the start tune
c0=$(cpu_ticks "$pid"); t0=$(now_ms)
keys=(Left Right Up Down Right Left Control)
end=$((t0 + seconds * 1000))
i=0
while (($(now_ms) < end)); do
  # A new game whenever the last one ended; the hero keeps moving.
  ((i % 40 == 0)) && xdotool key 1
  xdotool key "${keys[i % ${#keys[@]}]}"
  i=$((i + 1))
  sleep 0.25
done
c1=$(cpu_ticks "$pid"); t1=$(now_ms)
awk -v c=$((c1 - c0)) -v hz="$ticks" -v ms=$((t1 - t0)) -v s="$seconds" \
  'BEGIN { printf "play, %d s: %.2f %% of one core (%d ticks of 1/%d s in %.1f s)\n", s, 100 * c / hz / (ms / 1000), c, hz, ms / 1000 }'
echo "resident memory in play: $(rss_kib "$pid") KiB (peak $(hwm_kib "$pid") KiB)"

echo "== fullscreen"
xdotool key F12; sleep 1
echo "resident memory fullscreen 1280x1024: $(rss_kib "$pid") KiB (peak $(hwm_kib "$pid") KiB)"
stop

echo "== memory by zoom"
env -u DISPLAY "$repo/bench/window/zoom_memory.sh" "$tiko"
