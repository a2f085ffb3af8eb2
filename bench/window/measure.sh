#!/usr/bin/env bash
# Measures the simulator window against a bare frameless Qt window of the
# unit's size that paints one picture, started alternately in the same X
# server, and prints one line per figure beside its aim:
#  - first painted frame (median of 7), with the program's start-up steps,
#    and one start profiled by perf, split by step (startup_profile.sh);
#  - resident memory on the clock, and that memory by kind;
#  - CPU on the clock, without and with a sound output open (SDL's driver as
#    SDL_AUDIODRIVER says, dummy when unset);
#  - CPU in play with keys held down through the X server (its own repeats),
#    and the pixels painted per second meanwhile; the bare window's CPU with
#    the same keys, which is Qt's own share of them;
#  - key press to its cue's first buffer at the sound device, on a device
#    kept open by play and on one that has to be opened again;
# then resident memory at 100 %, 200 % and 300 % zoom (zoom_memory.sh).
# Run by hand, never from CTest. The machine should be quiet.
# Needs xdotool; runs itself under xvfb-run when no X display is set.
# Usage: bench/window/measure.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
repo=$(readlink -f "$(dirname "$0")/../..")
build=$(readlink -f "${1:-$repo/build}")
seconds=${2:-30}
if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$build" "$seconds"
fi
[[ -n ${NO_BUILD:-} ]] || cmake --build "$build" --target tiko bare_window > /dev/null
tiko=$build/bin/tiko
bare=$build/bench/window/bare_window
bindir=$build/bin
picture=$bindir/Graphics/Skin/im_background_front.png
export QT_QPA_PLATFORM=xcb  # a real window, also where tests default to offscreen
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/Orvane"
pid=""
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)
xset r on 2>/dev/null || true  # held keys repeat
summary=()
figure() {  # text: one line of the table at the end, printed now too
  summary+=("$1")
  echo "$1"
}

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
# own line in $own.
start_timed() {  # command...
  local fifo=$work/fifo t0 t1
  rm -f "$fifo"
  mkfifo "$fifo"
  t0=$(now_ms)
  (cd "$bindir" && exec "$@" > "$fifo" 2> /dev/null) &
  pid=$!
  read -r own < "$fifo"
  t1=$(now_ms)
  wall=$((t1 - t0))
}
start_tiko() {  # output file, environment...
  local out=$1
  shift
  (cd "$bindir" && exec env "$@" "$tiko" > "$out" 2> /dev/null) &
  pid=$!
}
# CPU of the program over what the command does, as "P % of one core (N ticks in S s)".
cpu_during() {  # command...
  local c0 c1 t0 t1
  c0=$(cpu_ticks "$pid"); t0=$(now_ms)
  "$@"
  c1=$(cpu_ticks "$pid"); t1=$(now_ms)
  cpu_ticks_taken=$((c1 - c0))
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
# Game A for $1 seconds: a direction held down for a while (the X server
# repeats it), a jump, the other way; a new game whenever one may have ended.
play_held() {
  local end=$(($(now_ms) + $1 * 1000)) keys=(Left Right Up Down) i=0
  xdotool key 1; sleep 4.5
  while (($(now_ms) < end)); do
    ((i % 12 == 11)) && { xdotool key 1; sleep 1; }
    xdotool keydown "${keys[i % ${#keys[@]}]}"
    sleep 1.2
    xdotool key Control
    sleep 0.4
    xdotool keyup "${keys[i % ${#keys[@]}]}"
    sleep 0.3
    i=$((i + 1))
  done
}
# Game A with single presses $2 s apart, for $1 seconds.
play_taps() {
  local end=$(($(now_ms) + $1 * 1000)) keys=(Left Right Up Down Right Left Control) i=0
  xdotool key 1; sleep 4.5
  while (($(now_ms) < end)); do
    ((i % 40 == 39)) && xdotool key 1
    xdotool key "${keys[i % ${#keys[@]}]}"
    i=$((i + 1))
    sleep "$2"
  done
}
# The program's last paint report: "pixels ms pictures_kib frame_kib".
paint_state() {
  grep 'tiko: painted' "$1" | tail -1 |
    awk '{ print $3, $9, $12, $15 }'
}
# Resident KiB of the mappings whose path matches the pattern.
smaps_kib() {  # pattern
  awk -v pat="$1" '
    /^[0-9a-f]+-[0-9a-f]+ / { path = $6 }
    /^Rss:/ { if (path ~ pat) sum += $2 }
    END { print sum + 0 }' "/proc/$pid/smaps"
}

echo "== first painted frame, 7 alternating starts (ms from launch; program's own figure in brackets)"
settings 2
: > "$work/bare"; : > "$work/tiko"
for run in $(seq "${RUNS:-7}"); do
  start_timed "$bare" "$picture"
  stop
  echo "$wall" >> "$work/bare"
  b="$wall ($(grep -o '[0-9]* ms' <<< "$own" | head -1))"
  start_timed env TIKO_REPORT_FIRST_FRAME=1 "$tiko"
  stop
  echo "$wall" >> "$work/tiko"
  echo "run $run: bare $b, tiko $wall ($(sed 's/^tiko: first frame painted //' <<< "$own"))"
done
bare_ms=$(median < "$work/bare"); tiko_ms=$(median < "$work/tiko")
figure "first frame: bare $bare_ms ms, tiko $tiko_ms ms, ratio $(ratio "$tiko_ms" "$bare_ms") (aim <= 1.5)"
echo "== where the start-up's processor time goes, one start under perf"
"$repo/bench/window/startup_profile.sh" "$tiko" "$bindir" "$work"

echo "== on the clock, \"(no sound)\""
start_timed "$bare" "$picture"
sleep 3
bare_kib=$(rss_kib "$pid")
stop
start_tiko "$work/clock" TIKO_REPORT_PAINT=1
to_the_clock
sleep 11  # past the 10 s after which pictures no image shows are let go
tiko_kib=$(rss_kib "$pid")
read -r _ _ pictures_kib frame_kib < <(paint_state "$work/clock")
qt_kib=$(smaps_kib 'libQt6')
font_kib=$(smaps_kib '\\.(ttf|otf|ttc|pfb|pfa)$|fontconfig')
lib_kib=$(smaps_kib '\\.so')
anon_kib=$((tiko_kib - lib_kib - font_kib))
figure "memory on the clock: bare $bare_kib KiB, tiko $tiko_kib KiB, ratio $(ratio "$tiko_kib" "$bare_kib") (aim <= 1.4)"
figure "  by kind: pictures $pictures_kib KiB, frame $frame_kib KiB, fonts (mapped) $font_kib KiB, Qt libraries $qt_kib KiB, other libraries $((lib_kib - qt_kib)) KiB, other heap (Qt's and ours) $((anon_kib - pictures_kib - frame_kib)) KiB"
figure "CPU on the clock, no sound, $seconds s: $(cpu_during sleep "$seconds") (aim <= 1 tick)"
stop

echo "== with a sound output open (SDL $SDL_AUDIODRIVER driver)"
settings 0
start_tiko "$work/play" TIKO_REPORT_PAINT=1
to_the_clock
sleep 11  # past the pictures' letting go, a few ms once, as for the memory
figure "CPU on the clock, sound output open, $seconds s: $(cpu_during sleep "$seconds") (aim <= 1 tick)"
read -r p0 t0 _ < <(paint_state "$work/play")
figure "CPU in play, keys held through X, $seconds s: $(cpu_during play_held "$seconds") (aim <= 0.3 %)"
read -r p1 t1 _ < <(paint_state "$work/play")
figure "repaint area in play: $(awk -v p=$((p1 - p0)) -v ms=$((t1 - t0)) 'BEGIN { printf "%.0f pixels a second", p / (ms / 1000) }') (the unit is 499 x 771 = 384729; no aim)"
stop
# What Qt alone spends on the same keys: the bare window, given them the same way.
start_timed "$bare" "$picture"
bare_wid=$(xdotool search --onlyvisible --pid "$pid" "" 2>/dev/null | tail -1 || true)
xdotool mousemove --window "$bare_wid" 10 10 click 1 2>/dev/null || true
figure "  the bare window given the same keys, $seconds s: $(cpu_during play_held "$seconds") (no aim)"
stop

echo "== key press to its cue's first buffer at the device (SDL $SDL_AUDIODRIVER driver, 256-frame buffers)"
latency() {  # file label
  grep -o "cue [0-9.]* ms after key, device $2[a-z ,]*" "$1" | awk '{ print $2 }' > "$work/latency"
  local n
  n=$(wc -l < "$work/latency")
  if ((n > 0)); then
    echo "$n cues: median $(median < "$work/latency") ms, longest $(sort -n "$work/latency" | tail -1) ms"
  else
    echo "no cue measured"
  fi
}
start_tiko "$work/cues" TIKO_CUE_LATENCY=1
to_the_clock
play_taps 20 0.25
stop
figure "key to device, device open: $(latency "$work/cues" open) (aim <= 20 ms)"
# Closing after 0.1 s of silence instead of 2 s, so that cues in play reopen it.
start_tiko "$work/reopen" TIKO_CUE_LATENCY=100
to_the_clock
play_taps 20 0.6
stop
kept=""
grep -q 'kept open' "$work/reopen" && kept=" - reopening too slow on this driver: the device is kept open here"
figure "key to device, reopening it: $(latency "$work/reopen" reopened) (aim <= 20 ms)$kept"

echo "== memory by zoom"
env -u DISPLAY "$repo/bench/window/zoom_memory.sh" "$tiko"

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
