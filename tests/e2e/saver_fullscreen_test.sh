#!/usr/bin/env bash
# orchardia /s: a window over the whole screen, holding keyboard and pointer,
# that ends with exit code 0 on a key, a mouse button, movement beyond 50
# pixels, or SIGTERM, and not on Alt or on the screen changing size.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_xvfb 1024x768

# start_saver [X Y]: runs /s with the pointer at (300, 300) or (X, Y) and waits for its window.
start_saver() {
  xdotool mousemove "${1:-300}" "${2:-300}"
  "$ORCHARDIA" /s 2>>"$work/stderr" &
  saver=$!
  wait_for 10 has_saver_window || fail "no saver window"
  sleep 0.3  # let it take its grabs and draw
}

start_saver
window=$(saver_window)
[ "$(geometry "$window")" = "0 0 1024 768" ] || fail "window geometry $(geometry "$window")"
xwininfo -id "$window" | grep -q "Override Redirect State: yes" || fail "not override-redirect"
"$ORCHARDIA_BUILD/tests/helpers/xgrabbed/xgrabbed" || fail "keyboard and pointer are not grabbed"
xdotool key a
expect_exit "$saver" 0 "key"

start_saver
xdotool mousemove 350 300   # 50 pixels: stays
sleep 0.5
running "$saver" || fail "ended after a 50-pixel move"
xdotool mousemove 300 249   # 51 pixels on the other axis
expect_exit "$saver" 0 "51-pixel move"

start_saver
xdotool click 3
expect_exit "$saver" 0 "button"

start_saver
xdotool key alt alt+x alt+F4
sleep 0.5
running "$saver" || fail "ended on an Alt key"
kill -TERM "$saver"
expect_exit "$saver" 0 "SIGTERM"

# The screen changing size is no input, though the shrink moves the pointer:
# the window and its picture follow it.
xsetroot -solid '#336699'
xrandr --newmode 800x600_e2e 40 800 840 968 1056 600 601 605 628
xrandr --addmode screen 800x600_e2e
xrandr --newmode 1024x600_e2e 50 1024 1064 1168 1312 600 601 604 622
xrandr --addmode screen 1024x600_e2e
start_saver 1000 740
for mode in 800x600_e2e 1024x600_e2e 1024x768; do   # both sides, the width, the height
  xrandr -s "$mode"
  shot_fills root "screen at $mode"
  [ "$(geometry "$(saver_window)" | tr ' ' x)" = "0x0x${mode%%_*}" ] || fail "at $mode: window at $(geometry "$(saver_window)")"
done
kill -TERM "$saver"
expect_exit "$saver" 0 "SIGTERM after screen changes"

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_fullscreen: ok"
