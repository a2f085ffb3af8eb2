#!/usr/bin/env bash
# The keyboard through the X server under openbox: keys held down with the
# server's own repeat, the number row of a French-like keymap and a German
# layout, the zoom keys in a game, and the key settings dialog's lists on
# French and Russian keys; read from the program's key trace
# (TIKO_TRACE_KEYS), the store and the screen.
# Run under an X server of 1280 x 1024 (xvfb-run). Usage: keyboard_e2e.sh TIKO [SHOTS_DIR]
set -euo pipefail
[[ -n ${TIKO_X_DEBUG:-} ]] && set -x

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
mkdir -p "$(dirname "$store")"
printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Orvane\Qorvix50]' '"SoundMode"="2"' '"SplashScreen"="0"' \
  '"FullscreenMode"="0"' > "$store"
xset r rate 250 25
window_manager

start() {
  : > "$trace"
  (cd "$bindir" && TIKO_TRACE_KEYS=1 exec "$tiko" > "$trace") &
  pid=$!
  wid=$(find_window "Bolo Garu Tiko") || fail "no main window"
  sleep 0.5
  xdotool windowactivate --sync "$wid" 2>/dev/null || true
  for _ in $(seq 30); do
    active "$wid" && break
    sleep 0.1
  done
}
count() { grep -c -- "$1" "$trace" || true; }
start_game_a() {  # the program started, the unit opened and Game A under way
  start
  xdotool key 5
  traced "done 53 mode=2" "the open key did not open the unit"
  xdotool key 1
  traced "done 49 mode=6" "Game A did not start"
  sleep 4.2
}
hold() {
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
  sleep 0.3
}

# --- A held direction key moves the hero about twice a second ---
start_game_a
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
mid=$(find_window "^Manual$") || fail "F4 showed no manual"
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
xmodmap -e "keycode 10 = 1 exclam" -e "keycode 11 = 2 at" -e "keycode 14 = 5 percent" \
  -e "keycode 29 = y Y" -e "keycode 52 = z Z"

# --- The zoom keys in a game: the window changes, the hero does not move ---
geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }
hero() {  # the hero's place after an unbound key (Q) goes through the game
  local seen
  seen=$(count "done 81")
  xdotool key q
  for _ in $(seq 30); do
    (($(count "done 81") > seen)) && break
    sleep 0.1
  done
  grep -- "done 81" "$trace" | tail -1 | sed 's/.*hero=//'
}
# zooms KEY WHY TEST: after KEY the window's width passes TEST (on $WIDTH) within 3 s.
zooms() {
  local before=$WIDTH
  xdotool key "$1"
  for _ in $(seq 30); do
    geometry
    (($3)) && return 0
    sleep 0.1
  done
  fail "$2 (width $before, then $WIDTH)"
}
start_game_a
place=$(hero)
[[ -n $place ]] || fail "no hero place in the trace"
geometry
zooms plus "the US =/+ key did not zoom in" 'WIDTH > before'
zooms KP_Add "keypad + did not zoom in" 'WIDTH > before'
zooms minus "the - key did not zoom out" 'WIDTH < before'
zooms KP_Subtract "keypad - did not zoom out" 'WIDTH < before'
zooms KP_Add "keypad + did not zoom in" 'WIDTH > before'
zooms KP_0 "keypad 0 did not go back to 100 %" "WIDTH == $(ini Common GameWidth)"
[[ $(zoom_of) == 100 ]] || fail "the stored zoom is $(zoom_of) after keypad 0"
now=$(hero)
[[ $now == "$place" ]] || fail "the zoom keys moved the hero from $place to $now"
grep -E "key (down|up) (187|189|107|109|96) " "$trace" && fail "a zoom key reached the game"
stop

# --- One step from a stored 400 % the screen cannot show ---
seed SoundMode=2 SplashScreen=0 FullscreenMode=0 Zoom=400
start
geometry
fitted=$WIDTH
game_w=$(ini Common GameWidth)
((fitted < game_w * 4)) || fail "400 % fits the screen: nothing to test"
xdotool key plus
sleep 1
geometry
[[ $WIDTH == "$fitted" && $(zoom_of) == 400 ]] ||
  fail "a step past what fits: width $WIDTH (was $fitted), stored $(zoom_of)"
zooms minus "one step down from 400 % did not shrink the window" 'WIDTH < before'
want=$(awk -v w="$game_w" -v z="$(zoom_of)" 'BEGIN { printf "%d", w * z / 100 + 0.5 }')
((WIDTH - want <= 1 && want - WIDTH <= 1)) ||
  fail "stored $(zoom_of) % but the window is $WIDTH wide, not $want"
(($(zoom_of) < 400)) || fail "the step was not stored"
stop

# --- The key dialog's lists take keys by their place ---
seed SoundMode=2 SplashScreen=0 FullscreenMode=0
start
keys=$(open_key_settings "$wid") || fail "no key settings dialog"
sleep 0.5
# French: "é" on the 2 key selects "2" in Game A's list; "'" on the 4 key "4" in Game B's.
xmodmap -e "keycode 11 = eacute 2" -e "keycode 13 = apostrophe 4"
sleep 0.3
xdotool key eacute Tab apostrophe
sleep 0.3
shot keys_french
xdotool key Return
gone() { ! xdotool search --onlyvisible --name "^Key settings$" > /dev/null 2>&1; }
for _ in $(seq 30); do gone && break; sleep 0.1; done
gone || fail "the French keys left a clash: the dialog did not accept"
grep -q '"Key1"="3"' "$store" && grep -q '"Key2"="5"' "$store" ||
  fail "French keys chose $(grep -E '"Key[12]"' "$store" | tr '\n' ' ') (want Key1 3, Key2 5)"
# Russian: "й" on the Q key selects "Q".
xmodmap -e "keycode 24 = Cyrillic_shorti Cyrillic_SHORTI"
sleep 0.3
keys=$(open_key_settings "$wid") || fail "no key settings dialog the second time"
sleep 0.5
xdotool key Cyrillic_shorti
sleep 0.3
shot keys_russian
xdotool key Return
for _ in $(seq 30); do gone && break; sleep 0.1; done
grep -q '"Key1"="27"' "$store" || fail "the Russian Q key chose $(grep '"Key1"' "$store")"
stop
echo "keyboard e2e: passed"
