#!/usr/bin/env bash
# The program's start-up through real X events: the splash on a first start,
# "(no sound)" and PLAY, the direct start with the splash switched off, the
# missing sound folder, the cues mixed into SDL's file output, and the
# secondary windows. Run under xvfb-run. Usage: shell_e2e.sh TIKO [SHOTS_DIR]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

value() { sed -n "s/^\"$1\"=\"\(.*\)\"\r\?$/\1/p" "$store" 2>/dev/null; }
start() {  # start [FOLDER]: runs the program with FOLDER as its working folder
  (cd "${1:-$bindir}" && exec "$tiko") &
  pid=$!
}
stopped() {
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; pid=""; return 0; }
    sleep 0.1
  done
  return 1
}
is_value() { [[ $(value "$1") == "$2" ]]; }
gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# First start: the splash, with no output chosen and only the disabled PLAY.
start
splash=$(find_window "About this game") || fail "no splash on the first start"
sleep 0.5
shot splash_first
eval "$(xdotool getwindowgeometry --shell "$splash")"
[[ -z $(value SoundMode) ]] || fail "SoundMode stored before PLAY"
# "(no sound)" is the list's last entry; untick the check box; Enter plays.
xdotool windowfocus --sync "$splash" key End
xdotool mousemove $((X + 18)) $((Y + 399)) click 1
sleep 0.2
shot splash_chosen
xdotool key Return
eventually "SoundMode not stored as 2" is_value SoundMode 2
eventually "SplashScreen not stored as 0" is_value SplashScreen 0
eventually "splash still shown" gone "About this game"
main=$(find_window "Bolo Garu Tiko") || fail "no main window"
shot unit_after_play

# The secondary windows, from the main window's shortcuts and menu.
xdotool windowfocus --sync "$main" key F4
manual=$(find_window "^Manual$") || fail "F4 showed no manual"
sleep 0.3
shot manual
xdotool key Right key Right
xdotool key Escape
sleep 0.3
xdotool windowfocus --sync "$main" key F1
find_window "About the author" >/dev/null || fail "F1 showed no about box"
sleep 0.3
shot about
xdotool key Escape
sleep 0.3
xdotool windowfocus --sync "$main" key F12
eventually "F12 stored no FullscreenMode 0" is_value FullscreenMode 0
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
sleep 0.5
shot popup_menu
# "Key settings" is the sixth entry; Game A moved onto '2' clashes with Game B.
xdotool key Down Down Down Down Down Down Return
keys=$(find_window "^Key settings$") || fail "the menu showed no key settings"
xdotool windowfocus --sync "$keys" key Down
sleep 0.3
shot keys_clash
xdotool key Return
sleep 0.3
xdotool search --onlyvisible --name "^Key settings$" >/dev/null 2>&1 || fail "a clash was accepted"
[[ -z $(value Key1) || $(value Key1) == 2 ]] || fail "Key1 changed while clashing"
# On to '3' (Time's), then '4', which is free: Enter accepts.
xdotool key Down Down Return
eventually "no accept" gone "^Key settings$"
eventually "Key1 not stored as 5" is_value Key1 5
xdotool windowfocus --sync "$main" key F4
find_window "^Manual$" >/dev/null || fail "F4 showed no manual the second time"
sleep 0.3
shot manual_reopened
xdotool key Escape
sleep 0.3
xdotool windowfocus --sync "$main" key Escape
stopped || fail "Esc did not end the program"

# Second start: the splash is switched off, straight to the unit.
start
main=$(find_window "Bolo Garu Tiko") || fail "no main window on the second start"
sleep 0.7
xdotool search --onlyvisible --name "About this game" >/dev/null 2>&1 && fail "splash shown"
shot direct_start
xdotool windowfocus --sync "$main" key Escape
stopped || fail "Esc did not end the second run"

# Fullscreen: the in-game menu opens with its button; a right click on a row
# closes it and opens the popup menu instead.
seed SoundMode=2 SplashScreen=0
start
main=$(find_window "Bolo Garu Tiko") || fail "no main window in fullscreen"
sleep 0.7
panel() { import -window root -crop 256x448+0+32 +repage "$work/$1.png"; }
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
panel menu_closed
before=$(windows)
xdotool mousemove 12 12 click 1
sleep 0.5
shot game_menu_open
panel menu_open
[[ $(compare -metric AE "$work/menu_closed.png" "$work/menu_open.png" null: 2>&1 || true) != 0 ]] ||
  fail "the in-game menu did not open"
xdotool mousemove 60 $((32 * 7 + 16)) click 3
popup_up() { (($(windows) > before)); }
eventually "no popup menu after the right click" popup_up
sleep 0.2
shot game_menu_right_click
xdotool key Escape
sleep 0.4
panel menu_after
[[ $(compare -metric AE "$work/menu_closed.png" "$work/menu_after.png" null: 2>&1 || true) == 0 ]] ||
  fail "the in-game menu is still open"
xdotool windowfocus --sync "$main" key Escape
stopped || fail "Esc did not end the fullscreen run"

# A real output chosen and the sound folder gone: the error box, the end. The
# data is found beside the program itself, so a copy of it stands alone.
mkdir "$work/nosound"
for f in "$bindir"/*; do [[ $(basename "$f") == Sound ]] || ln -s "$f" "$work/nosound/"; done
rm "$work/nosound/tiko"
cp "$tiko" "$work/nosound/tiko"
seed SoundMode=1 SplashScreen=0
("$work/nosound/tiko") &
pid=$!
error=$(find_window "^Error$") || fail "no error box"
sleep 0.3
shot sound_folder_missing
xdotool windowfocus --sync "$error" key Return
stopped || fail "the program did not end after the error"
is_value SoundMode -1 || fail "SoundMode is '$(value SoundMode)', not -1"
is_value SplashScreen 1 || fail "SplashScreen is '$(value SplashScreen)', not 1"
start
find_window "About this game" >/dev/null || fail "no splash after the missing folder"
sleep 0.3
shot splash_after_error
xdotool key Escape
stopped || fail "Esc in the splash did not end the program"

# A real output: the cues are mixed into SDL's file output.
seed SoundMode=0 SplashScreen=0 FullscreenMode=0
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/mixed.raw" start
main=$(find_window "Bolo Garu Tiko") || fail "no main window with sound"
xdotool windowfocus --sync "$main" key 5
sleep 1
xdotool key 1
sleep 2
xdotool key Escape
stopped || fail "Esc did not end the run with sound"
[[ -s $work/mixed.raw ]] || fail "nothing was mixed"
# Any sample that is not silence shows a cue was heard.
od -An -v -t d2 -w2 "$work/mixed.raw" | awk '$1 != 0 { n++ } END { exit n > 100 ? 0 : 1 }' ||
  fail "the mixed output is silent"
echo "shell e2e: 1 passed, 0 failed"
