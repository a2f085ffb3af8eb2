#!/usr/bin/env bash
# Installs the Debian package into a minimal Debian 12 root (debootstrap,
# variant minbase) and plays it there as a new player would, on an X server
# of this machine: it starts with the fonts and libraries the package brings
# and nothing else, the splash texts fit their boxes, the unit shows every
# picture, "Edit configuration file" copies the skin into the player's folder,
# a skin of the player's with one picture of its own is drawn over the
# installed rest and the game plays a cue, and the package goes again
# without leaving a file.
# Every step is bounded in time. Usage:
#   scripts/check-clean-root.sh DEB [BUILD_DIR]
# BUILD_DIR's tests/shell/shell_tests, when built, measures the texts in the
# root; TIKO_DEBIAN_MIRROR names another mirror; screenshots go to
# BUILD_DIR/clean-root.
set -euo pipefail
deb=$(readlink -f "$1")
build=$(readlink -f "${2:-build}")
mirror=${TIKO_DEBIAN_MIRROR:-http://deb.debian.org/debian}
shots="$build/clean-root"
rm -rf "$shots"
mkdir -p "$shots"
work=$(mktemp -d /var/tmp/tiko-clean-root.XXXXXX)
root="$work/root"
log="$shots/clean-root.log"
xvfb_pid=""
pid=""

cleanup() {
  [[ -n $pid ]] && kill "$pid" 2> /dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2> /dev/null
  if mountpoint -q "$root/proc"; then umount "$root/proc" || umount -l "$root/proc"; fi
  # Never past a mount point: what is mounted there is not ours to delete.
  mountpoint -q "$root/proc" || rm -rf --one-file-system "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: clean root: $*" >&2
  echo "(the log is in $log, screenshots in $shots)" >&2
  exit 1
}
step() { echo "clean root: $*"; }
in_root=(chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games HOME=/root)
started=$SECONDS

step "debootstrap --variant=minbase bookworm (log: $log)"
timeout 600 debootstrap --variant=minbase --cache-dir=/var/cache/apt/archives bookworm "$root" \
  "$mirror" >> "$log" 2>&1 || fail "debootstrap did not make the root"
mount -t proc proc "$root/proc"
# As a Debian 12 installation has it: the point release's updates and the
# security updates, which the build machine's libraries may come from.
{
  echo "deb $mirror bookworm main"
  echo "deb $mirror bookworm-updates main"
  if [[ -z ${TIKO_DEBIAN_MIRROR:-} ]]; then
    echo "deb http://deb.debian.org/debian-security bookworm-security main"
  fi
} > "$root/etc/apt/sources.list"

step "apt install the package and xdg-utils"
cp "$deb" "$root/tmp/"
# Packages this machine already fetched are taken from its cache.
cp -l /var/cache/apt/archives/*.deb "$root/var/cache/apt/archives/" 2> /dev/null || true
cp /etc/resolv.conf "$root/etc/resolv.conf" 2> /dev/null || true
timeout 300 "${in_root[@]}" apt-get update >> "$log" 2>&1 || fail "apt-get update"
timeout 600 "${in_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  "/tmp/$(basename "$deb")" xdg-utils >> "$log" 2>&1 || fail "apt cannot install the package"
"${in_root[@]}" dpkg-query -L tiko | sort > "$work/files"
[[ -x $root/usr/games/tiko ]] || fail "no /usr/games/tiko"
"${in_root[@]}" /usr/games/tiko --version | grep -q "^Licence: MIT" || fail "tiko --version in the root"

# The texts measured in the fonts of the root: the test program brings its
# own Qt Test library, nothing else.
if [[ -x $build/tests/shell/shell_tests ]]; then
  step "the window texts measured in the root's fonts"
  timeout 300 "${in_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y \
    --no-install-recommends libqt6test6 >> "$log" 2>&1 || fail "apt cannot install libqt6test6"
  cp "$build/tests/shell/shell_tests" "$root/tmp/shell_tests"
  timeout 120 "${in_root[@]}" env QT_QPA_PLATFORM=offscreen HOME=/tmp /tmp/shell_tests \
    --gtest_filter='TextFitTest.*' > "$work/fit" 2>&1 || {
    cat "$work/fit" >&2
    fail "a text of the windows does not fit in the root's fonts"
  }
  grep -q "PASSED.* 4 tests" "$work/fit" || { cat "$work/fit" >&2; fail "the text tests did not run"; }
fi

step "the program on an X server, started in the root"
exec 3> "$work/display"
# No reset when the last client leaves: a start during a reset finds no display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset > /dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
exec 3>&-
[[ -s $work/display ]] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
player=/tmp/player  # the player's folders, inside the root
mkdir -p "$root$player"
store="$root$player/config/Orvane/Qorvix50.reg"
user_skin="$root$player/data/tiko"

start() {  # start [NAME=VALUE...]: tiko in the root, as the player, on this display
  # X is reached through its abstract socket: the root needs no mount for it.
  chroot "$root" env -i PATH=/usr/bin:/bin:/usr/games HOME="$player" DISPLAY="$DISPLAY" \
    XDG_CONFIG_HOME="$player/config" XDG_DATA_HOME="$player/data" SDL_AUDIODRIVER=dummy \
    "$@" /usr/games/tiko >> "$log" 2>&1 &
  pid=$!
}
find_window() {  # find_window NAME: waits up to 10 s
  local w
  for _ in $(seq 100); do
    w=$(xdotool search --onlyvisible --name "$1" 2> /dev/null | head -1 || true)
    [[ -n $w ]] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
ended() {  # ended: the program ends within 5 s
  for _ in $(seq 50); do
    kill -0 "$pid" 2> /dev/null || { wait "$pid" || true; pid=""; return 0; }
    sleep 0.1
  done
  return 1
}
grab() {  # grab WINDOW NAME: a screenshot of the window
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$2.png"
}
pixels() {  # pixels NAME COLOUR: how many pixels of the screenshot have the colour
  convert "$shots/$1.png" -fill black +opaque "$2" -fill white -opaque "$2" \
    -format "%[fx:round(mean*w*h)]" info:
}
check_unit() {  # check_unit NAME: the opened unit, every picture drawn
  local main
  main=$(find_window "Bolo Garu Tiko") || fail "$1: no main window"
  xdotool search --onlyvisible --name "^Error$" > /dev/null 2>&1 && fail "$1: an error box"
  xdotool windowfocus --sync "$main" key 5
  sleep 0.5
  grab "$main" "$1"
  (($(pixels "$1" "#ff0000") == 0)) || fail "$1: placeholder red in the unit"
  (($(convert "$shots/$1.png" -format "%k" info:) > 500)) || fail "$1: the unit is not drawn"
  echo "$main"
}

start
splash=$(find_window "About this game") || fail "no splash window"
sleep 0.5
grab "$splash" splash
xdotool windowfocus --sync "$splash" key End Return
main=$(check_unit unit)

# "Edit configuration file": the sixth entry of the menu, below a separator.
[[ ! -e $user_skin/Config.ini ]] || fail "a Config.ini in the player's folder before editing"
eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(X|Y)=')"
xdotool mousemove "$((X + 250))" "$((Y + 200))" click 3
sleep 0.5
xdotool key Down Down Down Down Down Return
for _ in $(seq 30); do [[ -f $user_skin/Config.ini ]] && break; sleep 0.1; done
cmp -s "$user_skin/Config.ini" "$root/usr/share/tiko/Config.ini" ||
  fail "Edit configuration file made no copy of the installed Config.ini"
xdotool windowfocus --sync "$main" key Escape
ended || fail "Esc did not end the program"

step "a skin of the player's: one picture of its own, the rest installed"
size=$(identify -format "%wx%h" "$root/usr/share/tiko/Graphics/Skin/im_background_back.png")
mkdir -p "$user_skin/Graphics/Skin"
convert -size "$size" xc:"#12c4b0" "$user_skin/Graphics/Skin/im_background_back.png"
grep -q '"SoundMode"="2"' "$store" || fail "the sound choice was not stored"
sed -i 's/"SplashScreen"="1"/"SplashScreen"="0"/' "$store"
grep -q '"SplashScreen"' "$store" || echo '"SplashScreen"="0"' >> "$store"
# With sound this time, through SDL's disk driver: SDL and the libraries it
# loads come from the package's dependencies.
sed -i 's/"SoundMode"="2"/"SoundMode"="0"/' "$store"
cues="$player/cues.raw"
start SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$cues"
check_unit player_skin > /dev/null
(($(pixels player_skin "#12c4b0") > 5000)) || fail "the player's picture is not drawn"
xdotool key 1  # Game A: its start tune
sleep 1.5
heard=$(tr -d '\000' < "$root$cues" 2> /dev/null | wc -c)
((heard > 1000)) || fail "no sound in the root: the start tune wrote $heard bytes of sound"
xdotool key Escape
ended || fail "Esc did not end the program with the player's skin"

step "apt purge the package"
timeout 300 "${in_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y tiko >> "$log" 2>&1 ||
  fail "apt cannot remove the package"
left=()
while read -r file; do
  [[ -f $root$file || -L $root$file ]] && left+=("$file")
done < "$work/files"
((${#left[@]} == 0)) || fail "left behind: ${left[*]}"
[[ ! -e $root/usr/share/tiko ]] || fail "/usr/share/tiko is left behind"
step "passed in $((SECONDS - started)) s"
