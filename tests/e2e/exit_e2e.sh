#!/usr/bin/env bash
# Ends the simulator while its sound output plays a tune, by Esc and by
# SIGTERM: each way out must leave cleanly (status 0; under the sanitizers a
# use of freed sound data would change it). Run under an X server (xvfb-run).
# Usage: exit_e2e.sh TIKO
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
# An open sound output (SDL's dummy driver in tests) and no splash window.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
seed SoundMode=0 SplashScreen=0 FullscreenMode=0

# Starts the program, opens the unit and starts Game A: its tune plays.
start_playing() {
  (cd "$bindir" && exec "$tiko") &
  pid=$!
  local wid
  wid=$(find_window "Bolo Garu Tiko") || fail "no window"
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  xdotool key 5
  sleep 0.3
  xdotool key 1
  sleep 0.2
}

start_playing
xdotool key Escape
ended || fail "Esc did not end the program"
[[ $status == 0 ]] || fail "Esc: exit status $status"

start_playing
kill -TERM "$pid"
ended || fail "SIGTERM did not end the program"
[[ $status == 0 ]] || fail "SIGTERM: exit status $status"
echo "exit e2e: 2 passed, 0 failed"
