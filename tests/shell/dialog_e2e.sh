#!/usr/bin/env bash
# Windows under a window manager (openbox): a click on the disabled main window
# leaves the key settings dialog above it with the focus, windowed and
# fullscreen, and once the dialog is gone the unit takes keys again; a button
# held while a popup menu takes the mouse still gets its release.
# Run under xvfb-run. Usage: dialog_e2e.sh TIKO [SHOTS_DIR]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

openbox --sm-disable > /dev/null 2>&1 &
wm=$!
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; kill "$wm" 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

# above A B: window A comes after B in the window manager's stacking order.
above() {
  local order
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  local ia=-1 ib=-1 i=0
  for w in $order; do
    (($(printf '%d' "$w") == $1)) && ia=$i
    (($(printf '%d' "$w") == $2)) && ib=$i
    i=$((i + 1))
  done
  ((ia >= 0 && ib >= 0 && ia > ib))
}
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }

check() {  # check MODE: the dialog kept above and reachable, FullscreenMode MODE
  seed SoundMode=2 SplashScreen=0 FullscreenMode="$1"
  : > "$trace"
  (cd / && TIKO_TRACE_KEYS=1 exec "$tiko" > "$trace") &
  pid=$!
  local main keys
  main=$(find_window "Bolo Garu Tiko") || fail "$1: no main window"
  sleep 0.7
  eval "$(xdotool getwindowgeometry --shell "$main")"
  # The menu from a right click on the unit's middle; "Key settings" is its sixth entry.
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  sleep 0.5
  xdotool key Down Down Down Down Down Down Return
  keys=$(find_window "^Key settings$") || fail "$1: the menu showed no key settings"
  sleep 0.5
  # Clicks on the unit's own pixels (the closed unit fills the lower half of
  # its window) that the dialog does not cover.
  local kx ky kw kh
  eval "$(xdotool getwindowgeometry --shell "$keys" | sed 's/^/K/')"
  kx=$KX ky=$KY kw=$KWIDTH kh=$KHEIGHT
  local clicks=0
  for point in "$((X + WIDTH / 4)) $((Y + HEIGHT * 3 / 4))" "$((X + WIDTH * 3 / 4)) $((Y + HEIGHT * 7 / 8))"; do
    read -r px py <<< "$point"
    if ((px >= kx && px < kx + kw && py >= ky && py < ky + kh)); then continue; fi
    xdotool mousemove "$px" "$py" click 1
    sleep 0.5
    shot "dialog_click_$1"
    above "$keys" "$main" || fail "$1: a click on the main window raised it over the key dialog"
    active "$keys" || fail "$1: the key dialog lost the focus ($(xdotool getactivewindow) active, dialog $keys, main $main)"
    clicks=$((clicks + 1))
  done
  ((clicks > 0)) || fail "$1: the dialog covers every point of the unit tried"
  # Escape closes the dialog; the unit then takes the open key again.
  xdotool key Escape
  for _ in $(seq 30); do
    xdotool search --onlyvisible --name "^Key settings$" > /dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool search --onlyvisible --name "^Key settings$" > /dev/null 2>&1 &&
    fail "$1: Escape left the key dialog open"
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key 5
  traced "mode=2" "$1: the unit took no key after the dialog closed"
  stop
}

check 0
check 1

# GAME A held with the left button; a right click opens the menu, Escape shuts
# it, then the left button comes up: the release still starts the game.
seed SoundMode=2 SplashScreen=0 FullscreenMode=0
: > "$trace"
(cd / && TIKO_TRACE_KEYS=1 exec "$tiko" > "$trace") &
pid=$!
main=$(find_window "Bolo Garu Tiko") || fail "no main window"
sleep 0.7
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key 5
traced "mode=2" "the open key did not open the unit"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
read -r l t w h <<< "$(rect 7)"
xdotool mousemove $((X + l + w / 2)) $((Y + t + h / 2)) mousedown 1
sleep 0.3
xdotool click 3
sleep 0.5
shot lost_release_menu
xdotool key Escape
sleep 0.3
xdotool mouseup 1
sleep 4.5
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key Right
traced "mode=6" "GAME A's release was lost: no game after the menu took the mouse"
stop
echo "dialog_e2e: passed"
