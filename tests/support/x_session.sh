# Shared set-up of the scripts that drive the program over X: sourced with the
# program's path and an optional screenshot folder as $1 and $2. Gives tiko,
# shots, bindir, work, store, trace, pid, fail, shot, seed, find_window,
# eventually, ended, stop, start_traced, traced, ini, rect, window_manager,
# above, active, shown, open_key_settings and zoom_of, and cleans up on exit
# (helpers: processes to end with the program).
tiko=$(readlink -f "$1")
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
bindir=$(dirname "$tiko")
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
# No skin of the player running the tests: the player's data folder is a fresh one.
export XDG_DATA_HOME="$work/data"
# The program talks to the X server it runs under, even when the tests run offscreen.
unset QT_QPA_PLATFORM
store="$XDG_CONFIG_HOME/Orvane/Qorvix50.reg"
pid=""
trace="$work/trace"  # the key trace of a program started with TIKO_TRACE_KEYS=1
helpers=()

fail() {
  echo "FAIL: $*" >&2
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  exit 1
}
x_session_end() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  for h in "${helpers[@]}"; do kill "$h" 2>/dev/null || true; done
  rm -rf "$work"
}
trap x_session_end EXIT

shot() { import -window root "$shots/$1.png"; }
seed() {  # seed NAME=VALUE ...: a store holding just these values
  mkdir -p "$(dirname "$store")"
  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Orvane\\Qorvix50]\n' > "$store"
  for kv in "$@"; do printf '"%s"="%s"\n' "${kv%%=*}" "${kv#*=}" >> "$store"; done
}
find_window() {  # find_window NAME: waits up to 5 s for a mapped window
  local w=""
  for _ in $(seq 50); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [[ -n $w ]] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# eventually WHY CMD...: CMD succeeds within 5 s (the program answers an X
# event at its own pace), or the test fails with WHY.
eventually() {
  local why=$1
  shift
  for _ in $(seq 50); do
    "$@" && return 0
    sleep 0.1
  done
  fail "$why"
}
ended() {  # ended: the program $pid ends within 5 s; its status is in $status
  for _ in $(seq 50); do
    if ! kill -0 "$pid" 2>/dev/null; then
      status=0
      wait "$pid" || status=$?
      pid=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}
stop() {  # stop: ends the program $pid at once
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
start_traced() {  # start_traced: the program with its key trace in $trace; its id in $pid
  : > "$trace"
  (cd / && TIKO_TRACE_KEYS=1 exec "$tiko" > "$trace") &
  pid=$!
}
traced() {  # traced TEXT WHY: TEXT shows in the key trace within 3 s
  for _ in $(seq 30); do
    grep -q -- "$1" "$trace" && return 0
    sleep 0.1
  done
  fail "$2 (no '$1' in the key trace)"
}
# ini SECTION KEY: a value of the program's Config.ini, names without regard to case.
ini() {
  awk -v s="[$(echo "$1" | tr 'A-Z' 'a-z')]" -v k="$(echo "$2" | tr 'A-Z' 'a-z')" '
    { line = $0; gsub(/\r/, "", line) }
    line ~ /^[ \t]*\[/ { t = tolower(line); gsub(/[ \t]/, "", t); insec = (t == s); next }
    insec {
      split(line, kv, "="); key = tolower(kv[1]); gsub(/[ \t]/, "", key)
      if (key == k) { sub(/^[^=]*=[ \t]*/, "", line); sub(/[ \t]+$/, "", line); print line; exit }
    }' "$bindir/Config.ini"
}
# rect N: Left Top Width Height of skin image N.
rect() { echo "$(ini "Image$1" Left) $(ini "Image$1" Top) $(ini "Image$1" Width) $(ini "Image$1" Height)"; }

root_colour='#3060a0'
window_manager() {  # window_manager [compositor]: openbox on a plain desktop, xcompmgr with it
  xsetroot -solid "$root_colour"
  openbox --sm-disable > /dev/null 2>&1 &
  helpers+=($!)
  sleep 1
  if [[ ${1:-} == compositor ]]; then
    xcompmgr > /dev/null 2>&1 &
    compositor=$!
    helpers+=($compositor)
    sleep 1
  fi
}
# above A B: window A comes after B in the window manager's stacking order.
above() {
  local order ia=-1 ib=-1 i=0
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  for w in $order; do
    (($(printf '%d' "$w") == $1)) && ia=$i
    (($(printf '%d' "$w") == $2)) && ib=$i
    i=$((i + 1))
  done
  ((ia >= 0 && ib >= 0 && ia > ib))
}
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
# shown W: window W is mapped and not minimized.
shown() {
  xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable' &&
    ! xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN
}
# open_key_settings MAIN: the key settings dialog from the menu of a right
# click on the main window's middle ("Key settings" is its sixth entry); its id.
open_key_settings() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  sleep 0.5
  xdotool key Down Down Down Down Down Down Return
  find_window "^Key settings$"
}
zoom_of() { sed -n 's/^"Zoom"="\([0-9]*\)"$/\1/p' "$store"; }  # the stored zoom
