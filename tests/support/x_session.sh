# Shared set-up of the scripts that drive the program over X: sourced with the
# program's path and an optional screenshot folder as $1 and $2. Gives tiko,
# shots, bindir, work, store, pid, fail and shot, and cleans up on exit.
tiko=$(readlink -f "$1")
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
bindir=$(dirname "$tiko")
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
# The program talks to the X server it runs under, even when the tests run offscreen.
unset QT_QPA_PLATFORM
store="$XDG_CONFIG_HOME/Orvane/Qorvix50.reg"
pid=""

fail() {
  echo "FAIL: $*" >&2
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  exit 1
}
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

shot() { import -window root "$shots/$1.png"; }
