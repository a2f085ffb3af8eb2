#!/usr/bin/env bash
# The program on a headless sway (a tiling compositor) of 1366 x 768: the unit
# floats at its own size without decoration, takes keys by their place from
# French, German and Russian keymaps, holds keys with Qt's own repeat, goes
# fullscreen and back, lets clicks through its see-through pixels, is dragged
# by its body, and keeps the key settings dialog above it. Usage: sway_e2e.sh TIKO WL_KEYS [SHOTS_DIR]
set -euo pipefail

wl_keys=$(readlink -f "$2")
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh" "$1" "${3:-}"
source "$(dirname "${BASH_SOURCE[0]}")/../support/wayland_session.sh"

printf 'output HEADLESS-1 resolution 1366x768 position 0 0\nxwayland disable\n' > "$work/sway.cfg"
chmod 644 "$work/sway.cfg"
chmod 755 "$work"
as_user env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$work/sway.cfg" > "$work/sway.log" 2>&1 &
compositor=$!
wait_socket wayland-1
export WAYLAND_DISPLAY=wayland-1
for _ in $(seq 50); do
  SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock 2>/dev/null | head -1 || true)
  [[ -n $SWAYSOCK ]] && break
  sleep 0.1
done
export SWAYSOCK

shot() { grim "$shots/$1.png"; }
# node NAME: the tree node of the window titled NAME, with "floating" set.
node() {
  swaymsg -t get_tree | jq -c --arg name "$1" '
    [(.. | objects | select(has("floating_nodes")) | .floating_nodes[] | . + {floating: true}),
     (.. | objects | select(has("nodes")) | .nodes[] | select(.type == "con") | . + {floating: false})]
    | map(select(.name == $name)) | first // empty'
}
wait_node() {  # wait_node NAME: the window is mapped within 5 s
  for _ in $(seq 50); do
    [[ -n $(node "$1") ]] && return 0
    sleep 0.1
  done
  fail "no window '$1'"
}
title="Bolo Garu Tiko (Vexmar, Ticklet Skyglass) Simulator"
field() { node "$title" | jq -r "$1"; }

# One keyboard for the whole run, there before the program: French first.
mkfifo "$work/keys"
exec 3<> "$work/keys"
"$wl_keys" fr < "$work/keys" > "$work/keys.log" 2>&1 3>&- &
keyboard=$!
helpers+=("$keyboard")
send() { echo "$*" >&3; }
seat() { swaymsg -- seat seat0 cursor "$@" > /dev/null; }

seed SoundMode=2 SplashScreen=0 FullscreenMode=0
: > "$trace"
(cd / && TIKO_TRACE_KEYS=1 exec "$tiko" > "$trace" 2> "$work/err" 3>&-) &
pid=$!
wait_node "$title"
sleep 1
shot windowed

# --- Floating at the unit's size (fitted to 768 rows), no title bar ---
[[ $(field .floating) == true ]] || fail "the unit's window is tiled: $(node "$title")"
read -r w h < <(field '"\(.window_rect.width) \(.window_rect.height)"')
read -r rw rh < <(field '"\(.rect.width) \(.rect.height)"')
((w == 497 && h == 768)) || fail "the window is ${w}x$h, not the unit's 497x768"
((rw == w && rh == h)) || fail "sway decorates the window: ${rw}x$rh around ${w}x$h"

# --- Keys by their place: French, then German ---
send key 6  # the physical 5: '(' here
traced "done 53 mode=2" "the physical 5 key of a French keymap did not open the unit"
send key 2  # the physical 1: '&'
traced "done 49 mode=6" "the physical 1 key of a French keymap did not start Game A"
send layout de
send key 21  # where US has Y, German has Z
traced "key down 90" "the German Z key"
send key 44
traced "key down 89" "the German Y key"
# Cyrillic letters give the US letter at their place: only the compositor's
# keymap tells that the key typing Ef is where US has A.
send layout ru
send key 30
traced "key down 65" "the Russian key at the place of A"
send layout us

# --- A held direction moves the hero at most 5 places in 2 s ---
sleep 3
before=$(wc -l < "$trace")
send down 106
sleep 2
send up 106
sleep 0.5
held=$(tail -n +"$((before + 1))" "$trace")
repeats=$(grep -c "key repeat 39" <<< "$held" || true)
((repeats >= 10)) || fail "Qt repeated Right $repeats times: no repeat to test"
[[ $(grep -c "key up 39" <<< "$held" || true) == 1 ]] || fail "a held Right made more than one release"
moves=$(grep -- "done 39" <<< "$held" | awk '{print $6}' | uniq | wc -l)
((moves - 1 <= 5)) || fail "a held Right moved the hero $((moves - 1)) places in 2 s"

# --- F12 held: the compositor's fullscreen, once; and back ---
send down 88
sleep 1.5
send up 88
traced "key up 123" "F12 was never released"
[[ $(grep -c "key down 123" "$trace") == 1 ]] || fail "a held F12 pressed $(grep -c 'key down 123' "$trace") times"
sleep 0.5
[[ $(field .fullscreen_mode) == 1 ]] || fail "F12 did not make the window fullscreen: $(node "$title")"
shot fullscreen
send key 88
sleep 1
[[ $(field .floating) == true && $(field .fullscreen_mode) == 0 ]] ||
  fail "after F12 again the window is not floating: $(node "$title")"

# --- See-through pixels take no clicks, the unit's own pixels do: a right
# click on the unit opens its menu to the right, over the empty desktop ---
read -r x y w < <(field '"\(.rect.x) \(.rect.y) \(.rect.width)"')
menu_shows() {  # menu_shows X Y: a right click there puts a menu beside the unit
  grim -g "$((x + w)),$((y + 500)) 150x100" "$work/before.png"
  seat set "$1" "$2"
  seat press button3
  seat release button3
  sleep 0.5
  grim -g "$((x + w)),$((y + 500)) 150x100" "$work/after.png"
  [[ $(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true) != 0 ]]
}
menu_shows $((x + w - 3)) $((y + 480)) && fail "a right click on a see-through pixel reached the unit"
menu_shows $((x + w - 30)) $((y + 480)) || fail "a right click on the unit's body opened no menu"
send key 1  # Escape closes the menu
sleep 0.3

# --- Dragged by the unit's body: the compositor moves it ---
# (The test keyboard's pointer gives the seat one for sway's cursor commands.)
read -r x y < <(field '"\(.rect.x) \(.rect.y)"')
bx=$((x + 40)) by=$((y + 500))  # the body, left of the screen
seat set "$bx" "$by"
seat press button1
sleep 0.2
send move -100 -60  # sway's own cursor move is no motion to a drag
sleep 0.2
seat release button1
sleep 0.3
read -r x2 y2 < <(field '"\(.rect.x) \(.rect.y)"')
((x2 == x - 100 && y2 == y - 60)) || fail "a drag by the body moved the window from $x,$y to $x2,$y2"

# --- The key settings dialog stays above the unit and keeps the focus ---
read -r x y < <(field '"\(.rect.x) \(.rect.y)"')
seat set $((x + 250)) $((y + 550))
seat press button3
seat release button3
sleep 0.5
for _ in 1 2 3 4 5 6; do send key 108; done  # Down
send key 28  # Return
wait_node "Key settings"
sleep 0.5
shot key_dialog
on_top() {
  swaymsg -t get_tree | jq -r '.. | objects | select(has("floating_nodes")) | .floating_nodes[] | .name' |
    tail -1
}
[[ $(node "Key settings" | jq -r .floating) == true ]] || fail "the key dialog is tiled"
[[ $(on_top) == "Key settings" ]] || fail "the key dialog opened below the unit"
# A click on the unit's own pixels beside the dialog.
read -r dx dw < <(node "Key settings" | jq -r '"\(.rect.x) \(.rect.width)"')
px=$((x + 20))
((px >= dx && px < dx + dw)) && px=$((x + 480))
seat set "$px" $((y + 600))
seat press button1
seat release button1
sleep 0.5
shot key_dialog_click
[[ $(on_top) == "Key settings" ]] || fail "a click on the unit raised it over the key dialog"
[[ $(node "Key settings" | jq -r .focused) == true ]] || fail "a click on the unit took the focus from the key dialog"

exec 3>&-
wait "$keyboard" || fail "the test keyboard failed: $(cat "$work/keys.log")"
helpers=()
echo "sway e2e: passed"
