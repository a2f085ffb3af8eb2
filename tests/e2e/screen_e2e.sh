#!/usr/bin/env bash
# The unit on real X screens of other sizes and scales. Run under xvfb-run with
# the screen each part needs. Usage: screen_e2e.sh PART TIKO [SHOTS_DIR]
#   scaled      1100x1600: at desktop scales 2 and 1.5 the unit is drawn at the
#               screen's resolution, not blown up from its 100 % pixels
#   small       1366x768: the whole unit inside the screen, windowed and
#               fullscreen, its ACL button clickable
#   compositor  1280x1024 with openbox and xcompmgr: see-through pixels take no
#               clicks, and no black box once the compositor stops
#   hidden      1280x1024 with openbox: nothing of the main window shows while
#               the splash is up, nor during F12's relayout; taken frame by
#               frame, F12 shows no bare desktop and no empty window
set -euo pipefail

part=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

game_w=$(ini Common GameWidth)
game_h=$(ini Common GameHeight)

start() {  # start: the program from its folder; waits for its main window to be mapped
  (cd "$bindir" && exec "$tiko") &
  pid=$!
  wid=""
  for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name "Bolo Garu Tiko" 2>/dev/null | head -1 || true)
    [[ -n $wid ]] && break
    sleep 0.1
  done
  [[ -n $wid ]] || fail "no main window"
  sleep 0.5
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
}
geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }
pixel() { convert "$shots/$1.png" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
colours() { convert "$1" -unique-colors -format '%w' info:; }
# Cuts skin image n out of shot $1 into $work/$2.png, the window at $X $Y drawn at scale $3.
crop() {
  read -r l t w h <<< "$(rect "$4")"
  local s=$3
  convert "$shots/$1.png" -crop "$(awk -v w="$w" -v h="$h" -v l="$l" -v t="$t" -v s="$s" -v x="$X" -v y="$Y" \
    'BEGIN { printf "%dx%d+%d+%d", w * s, h * s, x + l * s, y + t * s }')" +repage "$work/$2.png"
}
case $part in
scaled)
  seed SoundMode=2 SplashScreen=0 FullscreenMode=0
  declare -A lcd
  for scale in 1 2 1.5; do
    QT_SCALE_FACTOR=$scale start
    geometry
    want_w=$(awk -v a="$game_w" -v s="$scale" 'BEGIN { printf "%d", a * s + 0.5 }')
    [[ $((WIDTH - want_w)) -le 1 && $((want_w - WIDTH)) -le 1 ]] ||
      fail "at $scale the window is $WIDTH wide, not $want_w"
    xdotool key 5  # the lid opens: the LCD shows every segment
    sleep 0.6
    shot "scale_$scale"
    crop "scale_$scale" "lcd_$scale" "$scale" 23
    # Nothing of the transparency colour shows along the unit's scaled outline.
    key=$(ini VideoMode TranspColor | sed 's/^\$00\(..\)\(..\)\(..\)$/#\3\2\1/')
    shown=$(convert "$shots/scale_$scale.png" -fill black +opaque "$key" -fill white -opaque "$key" \
      -format '%[fx:round(mean*w*h)]' info:)
    [[ $shown == 0 ]] || fail "at $scale, $shown pixels of the transparency colour $key show"
    if [[ $scale == 1 ]]; then
      # The player's zoom: Plus a step up around the centre, keypad 0 back.
      centre=$((X + WIDTH / 2))
      xdotool key plus
      zoomed() {
        geometry && [[ $WIDTH == $(((game_w * 11 + 5) / 10)) ]] &&
          ((X + WIDTH / 2 - centre <= 1 && centre - X - WIDTH / 2 <= 1))
      }
      eventually "Plus did not zoom to 110 % around the centre" zoomed
      grep -q '"Zoom"="110"' "$store" || fail "the zoom was not stored"
      xdotool key KP_0
      back() { geometry && [[ $WIDTH == "$game_w" ]]; }
      eventually "keypad 0 did not return to 100 %" back
    fi
    stop
  done
  # Blown up from 100 % by pixel doubling, every 2x2 block would be one colour;
  # drawn at 2x from the drawings, the edges have their own detail.
  convert "$work/lcd_2.png" -sample 50% -sample 200% "$work/lcd_2_doubled.png"
  convert "$work/lcd_1.png" -sample 200% "$work/lcd_1_doubled.png"
  total=$(convert "$work/lcd_2.png" -format '%[fx:w*h]' info:)
  own=$(differing "$work/lcd_2.png" "$work/lcd_2_doubled.png")
  [[ $own -gt $((total / 50)) ]] || fail "at 2 the LCD is pixel-doubled ($own of $total pixels differ)"
  from_100=$(differing "$work/lcd_2.png" "$work/lcd_1_doubled.png")
  [[ $from_100 -gt $((total / 50)) ]] || fail "at 2 the LCD is the 100 % picture doubled"
  # Scaled by nearest neighbour, 1.5 would show only the colours of 100 %;
  # smooth edges blend into colours of their own.
  c1=$(colours "$work/lcd_1.png")
  c15=$(colours "$work/lcd_1.5.png")
  [[ $c15 -gt $((c1 * 5 / 4)) ]] || fail "at 1.5 the edges are not smooth ($c15 colours, $c1 at 100 %)"
  echo "scaled: 2x has $own of $total pixels of its own detail; 1.5x has $c15 colours, 1x $c1"
  ;;

small)
  for mode in 0 1; do
    seed SoundMode=2 SplashScreen=0 FullscreenMode=$mode
    start
    geometry
    ((X >= 0 && Y >= 0 && X + WIDTH <= 1366 && Y + HEIGHT <= 768)) ||
      fail "mode $mode: the window $WIDTH x $HEIGHT at $X,$Y leaves the 1366x768 screen"
    [[ $mode == 1 ]] && { [[ $WIDTH == 1366 && $HEIGHT == 768 ]] || fail "fullscreen is $WIDTH x $HEIGHT"; }
    # The unit's scale and place in the window: fitted to the screen's height.
    s=$(awk -v h="$game_h" 'BEGIN { s = 768 / h; if (s > 1) s = 1; print s }')
    ox=0
    oy=0
    if [[ $mode == 1 ]]; then
      ox=$(awk -v s="$s" -v w="$game_w" 'BEGIN { printf "%d", int((1366 / s - w) / 2) * s }')
      oy=$(awk -v s="$s" -v h="$game_h" 'BEGIN { printf "%d", int((768 / s - h) / 2) * s }')
    fi
    xdotool key 5
    sleep 0.6
    read -r l t w h <<< "$(rect 9)"  # btn_acl_top
    ax=$(awk -v x="$X" -v o="$ox" -v l="$l" -v w="$w" -v s="$s" 'BEGIN { printf "%d", x + o + (l + w / 2) * s }')
    ay=$(awk -v y="$Y" -v o="$oy" -v t="$t" -v h="$h" -v s="$s" 'BEGIN { printf "%d", y + o + (t + h / 2) * s }')
    ((ay < 768)) || fail "mode $mode: the ACL button lies below the screen"
    shot "small_${mode}_before"
    xdotool mousemove "$ax" "$ay" mousedown 1
    sleep 0.4
    shot "small_${mode}_pressed"
    xdotool mouseup 1
    convert "$shots/small_${mode}_before.png" -crop 40x30+$((ax - 20))+$((ay - 15)) +repage "$work/acl_before.png"
    convert "$shots/small_${mode}_pressed.png" -crop 40x30+$((ax - 20))+$((ay - 15)) +repage "$work/acl_pressed.png"
    [[ $(differing "$work/acl_before.png" "$work/acl_pressed.png") -gt 20 ]] ||
      fail "mode $mode: the ACL button did not go down"
    stop
  done
  echo "small: the unit fits 1366x768 windowed and fullscreen; ACL answers"
  ;;

compositor)
  window_manager compositor
  seed SoundMode=2 SplashScreen=0 FullscreenMode=0
  start
  geometry
  # The body's see-through top-left corner: the desktop shows through and takes the click.
  see_x=$((X + 3))
  see_y=$((Y + 3))
  xdotool mousemove "$see_x" "$see_y"
  sleep 0.3
  under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
  frame=$(xdotool search --onlyvisible --name "Bolo Garu Tiko" | head -1)
  [[ $under != "$wid" && $under != "$frame" ]] || fail "a see-through pixel takes the mouse"
  # The corner shows what the desktop shows far from the window.
  shot composited
  desktop=$(pixel composited 5 $((Y + HEIGHT - 5)))
  [[ $(pixel composited "$see_x" "$see_y") == "$desktop" ]] ||
    fail "composited: the corner is $(pixel composited "$see_x" "$see_y"), not the desktop's $desktop"
  # A pixel of the unit itself still takes the mouse.
  read -r l t w h <<< "$(rect 3)"  # im_background_front, the closed lid
  xdotool mousemove $((X + l + w / 2)) $((Y + t + h / 2))
  sleep 0.3
  under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
  [[ $under == "$wid" ]] || xwininfo -id "$under" -children | grep -q "$(printf '0x%x' "$wid")" ||
    fail "the unit's own pixels do not take the mouse"
  # The compositor stops: the corner shows the desktop, not black.
  kill "$compositor"
  sleep 2
  shot uncomposited
  corner=$(pixel uncomposited "$see_x" "$see_y")
  desktop=$(pixel uncomposited 5 $((Y + HEIGHT - 5)))
  [[ $corner == "$desktop" ]] || fail "without the compositor the corner is $corner, not $desktop"
  echo "compositor: see-through pixels pass the mouse; the outline stays after the compositor stops"
  ;;

hidden)
  window_manager
  # The splash comes first; the main window exists but must not be seen.
  seed SoundMode=2 SplashScreen=1 FullscreenMode=0
  (cd "$bindir" && exec "$tiko") &
  pid=$!
  splash=""
  for _ in $(seq 50); do
    splash=$(xdotool search --onlyvisible --name "About this game" 2>/dev/null | head -1 || true)
    [[ -n $splash ]] && break
    sleep 0.1
  done
  [[ -n $splash ]] || fail "no splash"
  for n in 1 2 3 4 5; do
    if xdotool search --onlyvisible --name "Bolo Garu Tiko" > /dev/null 2>&1; then
      fail "the main window is mapped while the splash is up"
    fi
    shot "splash_$n"
    # Nothing but the desktop and the splash with its frame.
    eval "$(xwininfo -id "$(xdotool search --onlyvisible --name "About this game" | head -1)" |
      awk '/Absolute upper-left X/ {print "sx=" $NF} /Absolute upper-left Y/ {print "sy=" $NF}
           /Width:/ {print "sw=" $NF} /Height:/ {print "sh=" $NF}')"
    others=$(convert "$shots/splash_$n.png" -fill "$root_colour" \
      -draw "rectangle $((sx - 10)),$((sy - 40)) $((sx + sw + 10)),$((sy + sh + 10))" \
      -fill black +opaque "$root_colour" -fill white -opaque "$root_colour" \
      -format '%[fx:round((1-mean)*w*h)]' info:)
    [[ $others == 0 ]] || fail "splash shot $n shows $others pixels besides the desktop and the splash"
    sleep 0.2
  done
  xdotool windowfocus --sync "$splash" key Return
  mapped() { xdotool search --onlyvisible --name "Bolo Garu Tiko" > /dev/null 2>&1; }
  eventually "no main window after PLAY" mapped
  wid=$(xdotool search --onlyvisible --name "Bolo Garu Tiko" | head -1)
  sleep 0.5
  # F12: the window is unmapped for the relayout and mapped again in its new shape.
  xev -id "$wid" -event structure > "$work/events" 2>&1 &
  helpers+=($!)
  sleep 0.3
  # Frame by frame: the screen taken again and again while F12 switches.
  mkdir -p "$work/frames"
  (
    n=0
    while [[ ! -e $work/frames/stop ]]; do
      xwd -root -silent > "$work/frames/$(printf %04d $n).xwd" 2> /dev/null || true
      n=$((n + 1))
    done
  ) &
  capture=$!
  sleep 0.3
  xdotool windowfocus --sync "$wid" key F12
  sleep 1.2
  touch "$work/frames/stop"
  wait "$capture"
  awk '/^UnmapNotify/ {u = 1} /^MapNotify/ && u {m = 1} END {exit !m}' "$work/events" ||
    fail "F12 relaid the window out while it was mapped"
  geometry
  [[ $X == 0 && $Y == 0 && $WIDTH == 1280 && $HEIGHT == 1024 ]] ||
    fail "after F12 the window is $WIDTH x $HEIGHT at $X,$Y, not the whole screen"
  # No frame of bare desktop or of an empty window: each shows the unit, in
  # one presentation or the other.
  frames=0
  whole=$(stat -c %s "$work"/frames/*.xwd | sort -n | tail -1)
  for f in "$work"/frames/*.xwd; do
    # A take xwd could not finish is no frame.
    [[ $(stat -c %s "$f") == "$whole" ]] || { rm "$f"; continue; }
    n=$(convert "xwd:$f" -sample 320x256 -unique-colors -format '%w' info:)
    if ((n < 40)); then
      convert "xwd:$f" "$shots/empty_frame.png"
      fail "frame $frames of F12 shows $n colours: bare desktop or an empty window"
    fi
    frames=$((frames + 1))
    rm "$f"
  done
  ((frames >= 8)) || fail "only $frames frames taken during F12"
  echo "hidden: nothing of the main window during the splash or F12; $frames frames of F12 all show the unit"
  ;;

*)
  fail "unknown part $part"
  ;;
esac
stop
