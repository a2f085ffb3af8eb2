#!/usr/bin/env bash
# The program on a headless weston desktop of 1366 x 768 with a panel at the
# top: the unit fits the work area below the panel, as it fits an X work
# area, and shows whole. Usage: weston_e2e.sh TIKO [SHOTS_DIR]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/wayland_session.sh"

background=002244
printf '[core]\nidle-time=0\n[shell]\nbackground-color=0xff%s\npanel-position=top\nlocking=false\n' \
  "$background" > "$work/weston.ini"
# --debug lets weston-screenshooter take the screen.
weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman \
  --width=1366 --height=768 --socket=wayland-tiko --debug > "$work/weston.log" 2>&1 &
compositor=$!
wait_socket wayland-tiko
export WAYLAND_DISPLAY=wayland-tiko

seed SoundMode=2 SplashScreen=0 FullscreenMode=0
(cd / && exec "$tiko" > "$work/out" 2>&1) &
pid=$!
# A screen of the unit: what is not the desktop's colour below the panel is
# the unit. Looked at until it fits (the work area is learnt after the start).
look() {
  rm -f "$work"/wayland-screenshot*.png
  (cd "$work" && weston-screenshooter) || fail "weston-screenshooter took no picture"
  mv "$work"/wayland-screenshot*.png "$shots/weston_windowed.png"
  box=$(convert "$shots/weston_windowed.png" -crop 1366x720+0+48 +repage \
    -fill black -opaque "#$background" -fill white +opaque black -format '%@' info:)
  read -r w h x y <<< "${box//[x+]/ }"
}
for _ in $(seq 10); do
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "the program ended: $(cat "$work/out")"
  look
  ((h > 300 && y + h < 720 && x > 0 && x + w < 1366)) && break
done
((h > 300)) || fail "no unit on the screen (${w}x$h at $x,$y below the panel)"
((y + h < 720)) || fail "the unit reaches the bottom of the screen: ${w}x$h at $x,$((y + 48))"
((x > 0 && x + w < 1366)) || fail "the unit reaches a side of the screen: ${w}x$h at $x,$((y + 48))"
echo "weston e2e: passed"
