#!/usr/bin/env bash
# The data found from anywhere: the program installed into a scratch prefix and
# started from /, and the built program started from another folder and
# through a symlink; each draws every picture of the opened unit, and no
# stored setting changes. A program without its data names the folders it
# searched and changes nothing. Run under xvfb-run.
# Usage: install_e2e.sh BUILD_DIR [SHOTS_DIR]
set -euo pipefail
build=$(readlink -f "$1")
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh" "$build/bin/tiko" "${2:-}"
export SDL_AUDIODRIVER=dummy

start() {  # start FOLDER PROGRAM: runs PROGRAM with FOLDER as its working folder
  (cd "$1" && exec "$2" 2> "$work/stderr") &
  pid=$!
}
# The unit opened, so that the all-segments pattern shows every LCD picture:
# none may be the placeholder (a red square), and the unit must be drawn.
check_unit_drawn() {  # check_unit_drawn NAME
  local main
  main=$(find_window "Bolo Garu Tiko") || fail "$1: no main window"
  xdotool search --onlyvisible --name "^Error$" >/dev/null 2>&1 && fail "$1: an error box"
  xdotool windowfocus --sync "$main" key 5
  sleep 0.4
  eval "$(xdotool getwindowgeometry --shell "$main")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$1.png"
  local red colours
  red=$(convert "$shots/$1.png" -fill black +opaque "#ff0000" -fill white -opaque "#ff0000" \
        -format "%[fx:round(mean*w*h)]" info:)
  ((red == 0)) || fail "$1: $red pixels of placeholder red"
  colours=$(convert "$shots/$1.png" -format "%k" info:)
  ((colours > 500)) || fail "$1: only $colours colours, the unit is not drawn"
  # The task bar's icon and the window's class, the desktop entry's StartupWMClass.
  if command -v xprop > /dev/null; then
    [[ $(xprop -id "$main" _NET_WM_ICON | head -c 200) == *"Icon ("* ]] || fail "$1: no window icon"
    [[ $(xprop -id "$main" WM_CLASS) == *'"tiko"'* ]] || fail "$1: the window's class is not tiko"
  fi
  xdotool windowfocus --sync "$main" key Escape
  ended || fail "$1: Esc did not end the program"
}

# Installed into a scratch prefix, started from / with a fresh settings folder:
# the splash, "(no sound)" and PLAY, then the unit.
root="$work/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr > /dev/null
for f in usr/bin/tiko usr/bin/tiko-script usr/share/tiko/Config.ini \
         usr/share/tiko/Sound/Step.wav usr/share/tiko/Graphics/Manual/16.bmp \
         usr/share/man/man6/tiko.6.gz usr/share/man/man6/tiko-script.6.gz \
         usr/share/icons/hicolor/scalable/apps/org.example.tiko.svg \
         usr/share/icons/hicolor/48x48/apps/org.example.tiko.png \
         usr/share/applications/org.example.tiko.desktop \
         usr/share/metainfo/org.example.tiko.metainfo.xml; do
  [[ -f $root/$f ]] || fail "not installed: $f"
done
[[ $(ls "$root/usr/bin") == $'tiko\ntiko-script' ]] || fail "more than the two programs in bin"
start / "$root/usr/bin/tiko"
splash=$(find_window "About this game") || fail "installed: no splash"
xdotool windowfocus --sync "$splash" key End Return
check_unit_drawn installed
grep -q '"SoundMode"="2"' "$store" || fail "installed: the sound choice was not stored"

# A skin of the player's over the installed program: their Config.ini and one
# picture of their own (a flat colour); the rest comes from the installation.
user_skin="$XDG_DATA_HOME/tiko"
mkdir -p "$user_skin/Graphics/Skin"
cp "$root/usr/share/tiko/Config.ini" "$user_skin/"
convert -size "$(identify -format "%wx%h" "$root/usr/share/tiko/Graphics/Skin/im_background_back.png")" \
  xc:"#12c4b0" "$user_skin/Graphics/Skin/im_background_back.png"
seed SoundMode=2 SplashScreen=0 FullscreenMode=0
start / "$root/usr/bin/tiko"
check_unit_drawn player_skin
skin_pixels=$(convert "$shots/player_skin.png" -fill black +opaque "#12c4b0" -fill white \
  -opaque "#12c4b0" -format "%[fx:round(mean*w*h)]" info:)
((skin_pixels > 5000)) || fail "player's skin: only $skin_pixels pixels of the player's picture"
rm -rf "$user_skin"

# The built program with a real sound output stored, started once from its
# own folder to write what a start writes, then from elsewhere and through a
# symlink: the same data, and the settings file stays byte for byte the same.
seed SoundMode=0 SplashScreen=0 FullscreenMode=0
start "$build/bin" "$build/bin/tiko"
check_unit_drawn portable
cp "$store" "$work/store.before"
start "$work" "$build/bin/tiko"
check_unit_drawn other_folder
cmp -s "$store" "$work/store.before" || fail "a start from another folder changed the settings"
mkdir "$work/links"
ln -s "$build/bin/tiko" "$work/links/tiko"
start / "$work/links/tiko"
check_unit_drawn symlink
cmp -s "$store" "$work/store.before" || fail "a start through a symlink changed the settings"

# A program without its data: the folders searched in the box and on stderr,
# status 1, and no setting touched.
mkdir -p "$work/lonely/bin"
cp "$build/bin/tiko" "$work/lonely/bin/tiko"
start "$build/bin" "$work/lonely/bin/tiko"
error=$(find_window "^Error$") || fail "no data: no error box"
shot no_data
xdotool windowfocus --sync "$error" key Return
ended || fail "no data: the program did not end"
((status == 1)) || fail "no data: status $status"
grep -qx "tiko: Config.ini not found; looked in $XDG_DATA_HOME/tiko, $work/lonely/bin and $work/lonely/share/tiko" \
  "$work/stderr" || fail "no data: stderr says '$(cat "$work/stderr")'"
cmp -s "$store" "$work/store.before" || fail "no data: the settings changed"
echo "install e2e: passed"
