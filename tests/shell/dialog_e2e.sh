#!/usr/bin/env bash
# Windows under a window manager (openbox): a click on the disabled main window
# leaves the key settings dialog above it with the focus, windowed and
# fullscreen, and once the dialog is gone the unit takes keys again; the
# dialogs are dialogs (no minimize, no maximize), a forced minimize of the key
# dialog is undone by a click or a key, its close button is Escape; the about
# box and the manual stay above the fullscreen unit after clicks on it and on
# the backdrop; a button held while a popup menu takes the mouse still gets
# its release.
# Run under xvfb-run. Usage: dialog_e2e.sh TIKO [SHOTS_DIR]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

window_manager

check() {  # check MODE: the dialog kept above and reachable, FullscreenMode MODE
  seed SoundMode=2 SplashScreen=0 FullscreenMode="$1"
  start_traced
  local main keys
  main=$(find_window "Bolo Garu Tiko") || fail "$1: no main window"
  sleep 0.7
  keys=$(open_key_settings "$main") || fail "$1: the menu showed no key settings"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$main")"
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

# undone WHY: the key dialog $keys shows again with the focus within 3 s.
undone() {
  for _ in $(seq 30); do
    shown "$keys" && active "$keys" && return 0
    sleep 0.1
  done
  fail "$1"
}
# gone TITLE: no window of that title is mapped within 3 s.
gone() {
  for _ in $(seq 30); do
    xdotool search --onlyvisible --name "$1" > /dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# The key dialog in fullscreen: a dialog, minimized by force and brought back.
seed SoundMode=2 SplashScreen=0 FullscreenMode=1
start_traced
main=$(find_window "Bolo Garu Tiko") || fail "no fullscreen main window"
sleep 0.7
keys=$(open_key_settings "$main") || fail "no key settings in fullscreen"
sleep 0.5
xprop -id "$keys" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG ||
  fail "the key dialog is no dialog: $(xprop -id "$keys" _NET_WM_WINDOW_TYPE)"
actions=$(xprop -id "$keys" _NET_WM_ALLOWED_ACTIONS)
[[ $actions != *MAXIMIZE* && $actions != *RESIZE* ]] ||
  fail "the window manager offers the key dialog: $actions"
[[ $actions == *CLOSE* ]] || fail "the key dialog cannot be closed: $actions"
# No minimize asked for (the Motif function bit 8); openbox offers it to any
# dialog all the same, hence the forced minimize below.
read -r _ functions _ <<< "$(xprop -id "$keys" _MOTIF_WM_HINTS | sed 's/.*= //; s/,/ /g')"
(((functions & 0x8) == 0 && (functions & 0x10) == 0)) ||
  fail "the key dialog asks for minimize or maximize: Motif functions $functions"
eval "$(xdotool getwindowgeometry --shell "$main")"
# A key or a click on the disabled unit brings the dialog back to the front.
xdotool windowfocus "$main"
xdotool key 5
undone "a key on the unit did not bring the key dialog back"
grep -q "key down 53" "$trace" && fail "the unit took a key while the key dialog was up"
# Minimized by force: openbox minimizes the unit with it; bringing back the
# unit (as a taskbar or Alt+Tab does) brings the dialog, else a click does.
xdotool windowminimize "$keys"
sleep 0.5
shown "$keys" && fail "xdotool did not minimize the key dialog"
if shown "$main"; then
  xdotool mousemove $((WIDTH / 2)) $((HEIGHT - 30)) click 1
else
  xdotool windowactivate "$main"
fi
undone "the minimized key dialog did not come back with the unit"
shot dialog_after_minimize
# Its close button is Escape: the unit takes keys again.
xdotool key alt+F4  # to the dialog, which has the focus
gone "^Key settings$" || fail "Alt+F4 left the key dialog open"
xdotool key 5
traced "mode=2" "the unit took no key after the key dialog was closed"

# The about box and the manual stay above the fullscreen unit after clicks on
# the unit and on the backdrop.
for window in "F1:^About the author" "F4:^Manual$"; do
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key "${window%%:*}"
  dialog=$(find_window "${window#*:}") || fail "${window%%:*} showed no window"
  sleep 0.5
  for point in "$((WIDTH / 2)) $((HEIGHT / 2 + 250))" "30 $((HEIGHT - 30))"; do
    xdotool mousemove ${point% *} ${point#* } click 1
    sleep 0.5
    shot "fullscreen_click_${window%%:*}"
    above "$dialog" "$main" || fail "${window#*:} went behind the fullscreen unit after a click at $point"
  done
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool key Escape
  gone "${window#*:}" || fail "Escape left ${window#*:} open"
done
stop

# GAME A held with the left button; a right click opens the menu, Escape shuts
# it, then the left button comes up: the release still starts the game.
seed SoundMode=2 SplashScreen=0 FullscreenMode=0
start_traced
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
