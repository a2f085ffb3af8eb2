# Shared set-up of the scripts that drive the program over X: sourced with the
# program's path and an optional screenshot folder as $1 and $2. Gives tiko,
# shots, bindir, work, store, trace, pid, fail, shot, seed, find_window,
# ended, stop, traced, ini and rect, and cleans up on exit.
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

fail() {
  echo "FAIL: $*" >&2
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  exit 1
}
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

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
