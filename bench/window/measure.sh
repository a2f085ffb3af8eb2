#!/usr/bin/env bash
# Measures the simulator window against a bare frameless Qt window of the
# unit's size that paints one picture, started alternately in the same X
# server: first painted frame, resident memory on the clock, CPU on the clock
# without and with a sound output (SDL's dummy driver), CPU in play, and the
# time from a key press to its cue leaving the mixer; then resident memory at
# 100 %, 200 % and 300 % zoom (zoom_memory.sh, on a screen of its own). Prints
# each figure beside its aim. Run by hand, never from CTest.
# Needs xdotool; runs itself under xvfb-run when no X display is set.
# Usage: bench/window/measure.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
repo=$(readlink -f "$(dirname "$0")/../..")
build=$(readlink -f "${1:-$repo/build}")
seconds=${2:-60}
if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$build" "$seconds"
fi
cmake --build "$build" --target tiko bare_window > /dev/null
tiko=$build/bin/tiko
bare=$build/bench/window/bare_window
bindir=$build/bin
picture=$bindir/Graphics/Skin/im_background_front.png
export QT_QPA_PLATFORM=xcb  # a real window, also where tests default to offscreen
export SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/Orvane"
pid=""
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)

# A returning player: windowed, straight to the unit, with the output given.
settings() {  # SoundMode
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orvane\\Qorvix50]\r\n"FullscreenMode"="0"\r\n"SoundMode"="%s"\r\n"SplashScreen"="0"\r\n' \
    "$1" > "$XDG_CONFIG_HOME/Orvane/Qorvix50.reg"
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
stop() {
  [[ -n $pid ]] || return 0
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
# Starts a program with its stdout on a pipe and waits for its first line;
# leaves the wall-clock milliseconds from launch in $wall and the program's
# own figure in $own.
start_timed() {  # command...
  local fifo=$work/fifo t0 t1 line
  rm -f "$fifo"
  mkfifo "$fifo"
  t0=$(now_ms)
  (cd "$bindir" && exec "$@" > "$fifo" 2> /dev/null) &
  pid=$!
  read -r line < "$fifo"
  t1=$(now_ms)
  wall=$((t1 - t0))
  own=$(grep -o '[0-9]* ms' <<< "$line" | grep -o '[0-9]*')
}
cpu_over() {  # seconds -> percent of one core
  local c0 c1 t0 t1
  c0=$(cpu_ticks "$pid"); t0=$(now_ms)
  sleep "$1"
  c1=$(cpu_ticks "$pid"); t1=$(now_ms)
  awk -v c=$((c1 - c0)) -v hz="$ticks" -v ms=$((t1 - t0)) \
    'BEGIN { printf "%.3f %% of one core (%d ticks of 1/%d s in %.1f s)", 100 * c / hz / (ms / 1000), c, hz, ms / 1000 }'
}
focus() {
  local wid=""
  for _ in $(seq 100); do
    wid=$(xdotool search --pid "$pid" --name "Bolo Garu Tiko" 2>/dev/null | head -1 || true)
    [[ -n $wid ]] && break
    sleep 0.05
  done
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
}
to_the_clock() {
  focus
  xdotool key 5; sleep 0.3  # open the lid
  xdotool key 3; sleep 1    # TIME: the clock
}
# Game A, the hero kept moving, a new game whenever one ends, for $1 seconds.
play_for() {
  local end=$(($(now_ms) + $1 * 1000)) keys=(Left Right Up Down Right Left Control) i=0
  xdotool key 1; sleep 4.5
  while (($(now_ms) < end)); do
    ((i % 40 == 0)) && xdotool key 1
    xdotool key "${keys[i % ${#keys[@]}]}"
    i=$((i + 1))
    sleep 0.25
  done
}

echo "== first painted frame, 7 alternating starts (ms from launch; program's own figure in brackets)"
settings 2
: > "$work/bare"; : > "$work/tiko"
for run in 1 2 3 4 5 6 7; do
  start_timed "$bare" "$picture"
  stop
  echo "$wall" >> "$work/bare"
  b="$wall ($own)"
  start_timed env TIKO_REPORT_FIRST_FRAME=1 "$tiko"
  stop
  echo "$wall" >> "$work/tiko"
  echo "run $run: bare $b, tiko $wall ($own)"
done
bare_ms=$(median < "$work/bare"); tiko_ms=$(median < "$work/tiko")
echo "median: bare $bare_ms ms, tiko $tiko_ms ms, ratio $(ratio "$tiko_ms" "$bare_ms") (aim <= 2.5)"

echo "== on the clock, \"(no sound)\""
start_timed "$bare" "$picture"
sleep 3
bare_kib=$(rss_kib "$pid")
stop
(cd "$bindir" && exec "$tiko" > /dev/null 2>&1) &
pid=$!
to_the_clock
sleep 2
tiko_kib=$(rss_kib "$pid")
echo "resident memory: bare $bare_kib KiB, tiko $tiko_kib KiB, ratio $(ratio "$tiko_kib" "$bare_kib") (aim <= 1.6)"
echo "CPU, $seconds s: $(cpu_over "$seconds")"
stop

echo "== with a sound output open (SDL $SDL_AUDIODRIVER driver)"
settings 0
(cd "$bindir" && exec "$tiko" > /dev/null 2>&1) &
pid=$!
to_the_clock
echo "CPU on the clock, $seconds s: $(cpu_over "$seconds") (aim <= 0.1 %)"
c0=$(cpu_ticks "$pid"); t0=$(now_ms)
play_for "$seconds"
c1=$(cpu_ticks "$pid"); t1=$(now_ms)
awk -v c=$((c1 - c0)) -v hz="$ticks" -v ms=$((t1 - t0)) -v s="$seconds" \
  'BEGIN { printf "CPU in play, %d s: %.3f %% of one core (%d ticks of 1/%d s in %.1f s) (aim <= 0.5 %%)\n", s, 100 * c / hz / (ms / 1000), c, hz, ms / 1000 }'
stop

echo "== key press to its cue leaving the mixer (a paced capture output, 256-frame buffers)"
(cd "$bindir" && TIKO_CUE_LATENCY=1 exec "$tiko" > "$work/cues" 2>/dev/null) &
pid=$!
to_the_clock
play_for 20
stop
grep -o 'cue [0-9.]* ms' "$work/cues" | awk '{ print $2 }' > "$work/latency"
n=$(wc -l < "$work/latency")
if ((n > 0)); then
  echo "$n cues: median $(median < "$work/latency") ms, longest $(sort -n "$work/latency" | tail -1) ms (aim <= 25 ms)"
else
  echo "no cue measured"
fi

echo "== memory by zoom"
env -u DISPLAY "$repo/bench/window/zoom_memory.sh" "$tiko"
