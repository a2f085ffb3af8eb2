#!/usr/bin/env bash
# A game played through the X server is recorded and replays exactly: Game A
# with held keys and the server's repeat, the key dialog's Accept, the program
# held up for 2 s with SIGSTOP, ended with Escape. tiko-script on the
# recording, with empty settings, ends in the window's own final dump, and
# its check passes. A recording ended by SIGTERM is complete too.
# Run under xvfb-run. Usage: recording_e2e.sh TIKO TIKO_SCRIPT [SHOTS_DIR]
set -euo pipefail

script_tool=$(readlink -f "$2")
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh" "$1" "${3:-}"
export XDG_DATA_HOME="$work/data"
recordings="$XDG_DATA_HOME/tiko/recordings"

openbox --sm-disable > /dev/null 2>&1 &
wm=$!
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; kill "$wm" 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
xset r rate 250 25

hold() {  # hold KEY SECONDS
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
  sleep 0.2
}

seed SoundMode=2 SplashScreen=0 FullscreenMode=0 HiScore1=7
: > "$trace"
(cd / && TIKO_TRACE_KEYS=1 exec "$tiko" > "$trace") &
pid=$!
main=$(find_window "Bolo Garu Tiko") || fail "no main window"
sleep 0.7
eval "$(xdotool getwindowgeometry --shell "$main")"

# The key dialog from the menu ("Key settings" is its sixth entry), accepted as it is.
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
sleep 0.5
xdotool key Down Down Down Down Down Down Return
keys=$(find_window "^Key settings$") || fail "the menu showed no key settings"
sleep 0.5
xdotool windowfocus --sync "$keys" 2>/dev/null || true
xdotool key Return
for _ in $(seq 30); do
  xdotool search --onlyvisible --name "^Key settings$" > /dev/null 2>&1 || break
  sleep 0.1
done
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 0.3

xdotool key 5
traced "done 53 mode=2" "the open key did not open the unit"
xdotool key 1
traced "done 49 mode=6" "Game A did not start"
sleep 4
hold Right 1.2
hold Up 0.4
hold Left 0.8
# Held up in the middle of the game: the host catches up with a stall.
kill -STOP "$pid"
sleep 2
kill -CONT "$pid"
sleep 0.5
hold Right 2
xdotool key Up
sleep 1
hold Left 0.6
xdotool key Escape
ended || fail "Escape did not end the program"
((status == 0)) || fail "the program ended with status $status"

files=("$recordings"/*.tiko)
((${#files[@]} == 1)) || fail "${#files[@]} recordings instead of one"
rec=${files[0]}
cp "$rec" "$shots/recording.tiko"
grep -q '^keys ' "$rec" || fail "the key dialog's Accept is not in the recording"
grep -q "^stall " "$rec" || fail "the 2 s hold-up is not a stall in the recording"
grep -q '^set hiscore_a 7$' "$rec" || fail "the stored high score is not in the recording"
grep -q '^# game [0-9:]* A [0-9]*$' "$rec" || fail "the header names no Game A"
[[ $(grep -v '^#' "$rec" | tail -1) == dump ]] || fail "the recording does not end with dump"

# The replay, on empty settings, ends in the window's dump.
export XDG_CONFIG_HOME="$work/replay_config"
"$script_tool" "$rec" > "$work/replay.out" || fail "tiko-script stopped on the recording"
sed -n '/^@[0-9]* dump$/,$p' "$work/replay.out" > "$work/replayed_dump"
sed -n 's/^# //; /^@[0-9]* dump$/,$p' "$rec" > "$work/window_dump"
[[ -s $work/window_dump ]] || fail "the recording holds no window dump"
diff "$work/window_dump" "$work/replayed_dump" > "$work/dump.diff" ||
  fail "the replay's final dump differs from the window's: $(head -c 2000 "$work/dump.diff")"
"$script_tool" --verify "$rec" > "$work/verify.out" 2>&1 ||
  fail "tiko-script --verify refused the recording: $(cat "$work/verify.out")"

# SIGTERM ends the program by its ordinary way out: the second recording is complete.
(cd / && XDG_CONFIG_HOME="$work/config" exec "$tiko" > /dev/null) &
pid=$!
find_window "Bolo Garu Tiko" > /dev/null || fail "no main window the second time"
sleep 0.5
kill -TERM "$pid"
ended || fail "SIGTERM did not end the program"
second=$(ls "$recordings"/*.tiko | grep -v "$(basename "$rec")")
[[ $(tail -1 "$second") == "# timers "* ]] || fail "the recording ended by SIGTERM is incomplete"
echo "recording e2e: passed ($(wc -c < "$rec") bytes)"
