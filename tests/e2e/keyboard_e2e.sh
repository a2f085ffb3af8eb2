#!/usr/bin/env bash
# The keyboard through the X server: keys held down with the server's own
# repeat, the number row of a French-like keymap and a German layout, read
# from the program's key trace (TIKO_TRACE_KEYS) and the screen.
# Run under an X server of 1280 x 1024 (xvfb-run). Usage: keyboard_e2e.sh TIKO [SHOTS_DIR]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
mkdir -p "$(dirname "$store")"
printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Orvane\Qorvix50]' '"SoundMode"="2"' '"SplashScreen"="0"' \
  '"FullscreenMode"="0"' > "$store"
xset r rate 250 25

find_window() {
  local found=""
  for _ in $(seq 100); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
    [[ -n $found ]] && break
    sleep 0.1
  done
  [[ -n $found ]] || fail "no window '$1'"
  echo "$found"
}
start() {
  : > "$trace"
  (cd "$bindir" && TIKO_TRACE_KEYS=1 exec "$tiko" > "$trace") &
  pid=$!
  wid=$(find_window "Bolo Garu Tiko")
  sleep 0.5
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
}
count() { grep -c -- "$1" "$trace" || true; }
hold() {
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
  sleep 0.3
}

# --- A held direction key moves the hero about twice a second ---
start
xdotool key 5
traced "done 53 mode=2" "the open key did not open the unit"
xdotool key 1
traced "done 49 mode=6" "Game A did not start"
sleep 4.2
hold Right 2
traced "key up 39" "the held Right was never released"
repeats=$(count "key repeat 39")
((repeats >= 10)) || fail "the server repeated Right $repeats times: no auto-repeat to test"
[[ $(count "key up 39") == 1 ]] || fail "a held Right reached the game as $(count 'key up 39') releases"
moves=$(grep -- "done 39" "$trace" | awk '{print $6}' | uniq | wc -l)
((moves - 1 <= 5)) || fail "a held Right moved the hero $((moves - 1)) places in 2 s"

# --- A held F12 switches the presentation once ---
hold F12 1.5
traced "key up 123" "F12 was never released"
[[ $(count "key down 123") == 1 ]] || fail "a held F12 pressed $(count 'key down 123') times"
grep -q '"FullscreenMode"="1"' "$store" || fail "F12 did not switch to fullscreen"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[[ $WIDTH == 1280 && $HEIGHT == 1024 ]] || fail "not fullscreen after F12: ${WIDTH}x$HEIGHT"
xdotool key F12
traced "key down 123.*" "F12 again"
sleep 0.5

# --- A held Right in the manual turns one page ---
xdotool key F4
mid=$(find_window "^Manual$")
xdotool windowfocus --sync "$mid" 2>/dev/null || true
sleep 0.3
page() { import -window "$mid" "$work/$1.png"; }
same() { [[ $(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true) == 0 ]]; }
page first
hold Right 1.5
page held
xdotool key Left
sleep 0.3
page back
same first held && fail "a held Right in the manual turned no page"
same first back || fail "a held Right in the manual turned more than one page"
shot manual_after_hold
xdotool key Escape
stop

# --- A French-like number row: symbols unshifted, digits with Shift ---
start
xmodmap -e "keycode 10 = ampersand 1" -e "keycode 11 = eacute 2" -e "keycode 14 = parenleft 5"
sleep 0.3
xdotool key parenleft
traced "done 53 mode=2" "the physical 5 key did not open the unit"
xdotool key ampersand
traced "done 49 mode=6" "the physical 1 key did not start Game A"
xdotool key 2  # Shift and the same key: still '2'
traced "key down 50" "the shifted 2 key"

# --- A German layout: the keys labelled Y and Z trade places ---
# (Xvfb takes no new layout from setxkbmap; xmodmap changes the same keys.)
xmodmap -e "keycode 29 = z Z" -e "keycode 52 = y Y"
[[ $(xmodmap -pke) == *"keycode  29 = z Z"* ]] || fail "the keymap did not change"
sleep 0.3
xdotool key z
traced "key down 90" "the key labelled Z"
xdotool key y
traced "key down 89" "the key labelled Y"
stop
echo "keyboard e2e: passed"
