#!/usr/bin/env bash
# The command lines of both programs, with no display at all: help and version
# print and succeed, unknown options fail with the usage, and the game says in
# one line that it has no display. Usage: command_line.sh TIKO TIKO_SCRIPT VERSION
set -euo pipefail
tiko=$1
script=$2
version=$3
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() {
  echo "FAIL: $*" >&2
  echo "--- stdout" >&2; cat "$out" >&2
  echo "--- stderr" >&2; cat "$err" >&2
  exit 1
}
run() {  # run STATUS PROGRAM ARGS...: the status must be STATUS
  local want=$1 status=0
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$out.cfg" \
    "$@" > "$out" 2> "$err" < /dev/null || status=$?
  [[ $status == "$want" ]] || fail "$* ended with $status, not $want"
}

run 0 "$tiko" --version
[[ $(head -n 1 "$out") == "tiko $version" ]] || fail "tiko --version"
grep -q "^Licence: MIT" "$out" || fail "tiko --version names no MIT licence"
for help in --help -h; do
  run 0 "$tiko" $help
  grep -q "^Usage: .*tiko \[options\]" "$out" || fail "tiko $help shows no usage"
  grep -q -- "--version" "$out" || fail "tiko $help names no --version"
done
run 2 "$tiko" --fullscreen
grep -q "Unknown option 'fullscreen'" "$err" && grep -q "^Usage:" "$err" || fail "unknown option"
run 2 "$tiko" somefile
grep -q "^Usage:" "$err" || fail "an argument gives no usage"
run 2 "$tiko" --replay
grep -q "^Usage:" "$err" || fail "--replay without a file gives no usage"
run 0 "$tiko" --help
grep -q -- "--replay <file>" "$out" || fail "tiko --help names no --replay"

# No display: one line, status 1, and no settings folder touched.
run 1 "$tiko"
[[ $(wc -l < "$err") == 1 ]] || fail "not one line without a display"
grep -q "^tiko: no display" "$err" || fail "the line does not say there is no display"
[[ ! -e $out.cfg ]] || fail "the settings folder was written without a display"

run 0 "$script" --version
[[ $(head -n 1 "$out") == "tiko-script $version" ]] || fail "tiko-script --version"
grep -qx "Licence: MIT" "$out" || fail "tiko-script --version names no MIT licence"
run 0 "$script" --help
grep -q "^usage: tiko-script \[SCRIPT\]" "$out" || fail "tiko-script --help"
run 2 "$script" --bogus
grep -q "unknown option --bogus" "$err" || fail "tiko-script --bogus"
echo "command line: passed"
