#!/usr/bin/env bash
# Plays the simulator through real X events: starts it fullscreen and windowed,
# switches with F12, opens the unit with its key, starts Game A, moves the hero
# with the keyboard and with the controller overlays, and ends it with Esc.
# Run under an X server of 1280 x 1024 (xvfb-run). Usage: window_e2e.sh TIKO [SHOTS_DIR]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
cfg="$bindir/Config.ini"
# No sound and no splash window: every start goes straight to the unit.
mkdir -p "$(dirname "$store")"
printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Orvane\Qorvix50]' '"SoundMode"="2"' '"SplashScreen"="0"' > "$store"

start() {
  (cd "$bindir" && exec "$tiko") &
  pid=$!
  wid=""
  for _ in $(seq 100); do
    wid=$(xdotool search --name "Bolo Garu Tiko" 2>/dev/null | head -1 || true)
    [[ -n $wid ]] && break
    sleep 0.1
  done
  [[ -n $wid ]] || fail "no window"
  sleep 0.5
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
}
geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }
# Crops skin image n out of screenshot $1 into $work/$2.png.
crop() {
  read -r l t w h <<< "$(rect "$3")"
  convert "$shots/$1.png" -crop "${w}x${h}+$((X + l))+$((Y + t))" +repage "$work/$2.png"
}
pixels_differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }
stopped() {
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; status=$?; pid=""; return 0; }
    sleep 0.1
  done
  return 1
}

game_w=$(ini Common GameWidth); game_h=$(ini Common GameHeight)
[[ -n $game_w && -n $game_h ]] || fail "no GameWidth/GameHeight in $cfg"

# First start: no presentation stored yet, so fullscreen over the whole screen.
start
is_fullscreen() { geometry && [[ $X == 0 && $Y == 0 && $WIDTH == 1280 && $HEIGHT == 1024 ]]; }
eventually "not fullscreen" is_fullscreen
shot fullscreen

# F12: windowed, the unit's size, centred; the choice is stored at once.
xdotool key F12
is_windowed() {
  geometry && [[ $WIDTH == "$game_w" && $HEIGHT == "$game_h" &&
    $X == $(((1280 - game_w) / 2)) && $Y == $(((1024 - game_h) / 2)) ]]
}
eventually "not windowed at the unit's size, centred" is_windowed
grep -q '"FullscreenMode"="0"' "$store" || fail "FullscreenMode not stored"
sleep 0.3
shot closed
crop closed lcd_closed 23

# The open key ('5') opens the lid: the LCD lights up.
xdotool key 5
lit() { shot opened && crop opened lcd_open 23 && [[ $(pixels_differing lcd_closed lcd_open) != 0 ]]; }
eventually "the unit did not open" lit

# Game A: the hero stands at the bottom left; play starts after the tune.
xdotool key 1
sleep 0.5
shot game_start
crop game_start hero_1_5 79
crop game_start hero_2_5_empty 80
sleep 4.2

# Right arrow on the keyboard: the hero steps to the second vine.
xdotool key Right
stepped_right() {
  shot moved_right && crop moved_right hero_1_5_after 79 && crop moved_right hero_2_5 80 &&
    [[ $(pixels_differing hero_2_5_empty hero_2_5) != 0 &&
      $(pixels_differing hero_1_5 hero_1_5_after) != 0 ]]
}
eventually "the hero did not step from (1, 5) to (2, 5)" stepped_right

# The left overlay with the mouse: back to the first vine.
read -r l t w h <<< "$(rect 20)"
xdotool mousemove $((X + l + w / 2)) $((Y + t + h / 2)) click 1
stepped_left() {
  shot moved_left && crop moved_left hero_1_5_back 79 && crop moved_left hero_2_5_back 80 &&
    [[ $(pixels_differing hero_1_5 hero_1_5_back) == 0 &&
      $(pixels_differing hero_2_5_empty hero_2_5_back) == 0 ]]
}
eventually "the hero did not step back to (1, 5)" stepped_left

# Esc ends the program.
xdotool key Escape
stopped || fail "Esc did not end the program"
[[ $status == 0 ]] || fail "exit status $status"

# Second start: windowed, as stored.
start
eventually "second start not windowed" is_windowed
shot second_start
xdotool key Escape
stopped || fail "Esc did not end the second run"
echo "window e2e: 1 passed, 0 failed"
