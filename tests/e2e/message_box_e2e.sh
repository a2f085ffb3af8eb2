#!/usr/bin/env bash
# A message box as a player meets it under a window manager: a stored value of
# the wrong type is told in an "Error" box before the unit shows. The box is
# shown, on top and active, Return closes it, and the unit then starts full
# screen (the damaged value reads as absent) and takes keys; the damaged value
# stays in the file for the player to mend. Run under an X server (xvfb-run).
# Usage: message_box_e2e.sh TIKO [SHOTS_DIR]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
window_manager
mkdir -p "$(dirname "$store")"
printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Orvane\Qorvix50]' '"SoundMode"="2"' '"SplashScreen"="0"' \
  '"FullscreenMode"=dword:00000000' > "$store"


start_traced
box=$(find_window "^Error$") || fail "no Error box at start"
eventually "the Error box is not shown" shown "$box"
eventually "the Error box is not the active window" active "$box"
shot message_box
# The box holds the start: no unit window is shown behind it yet.
[[ -z $(xdotool search --onlyvisible --name "Bolo Garu Tiko" 2> /dev/null || true) ]] ||
  fail "the unit showed before its Error box was answered"

xdotool key Return
main=$(find_window "Bolo Garu Tiko") || fail "no unit window after the box"
eventually "the unit window is not active after the box" active "$main"
eval "$(xdotool getwindowgeometry --shell "$main")"
screen_w=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x.*/\1/p')
[[ $WIDTH == "$screen_w" ]] || fail "not full screen after the damaged value: $WIDTH wide"
shot after_box
xdotool key 5
traced "key down 53" "the unit takes no key after the box"

xdotool key Escape
ended || fail "Esc did not end the program"
[[ $status == 0 ]] || fail "exit status $status"
grep -q '^"FullscreenMode"=dword:00000000' "$store" || fail "the damaged value was lost"
echo "message box e2e: passed"
