#!/usr/bin/env bash
# The picture follows its window: a preview whose host window grows and shrinks,
# and a full-screen run whose screen changes size (the pointer that the shrink
# moves is not input), each fill the new size, mirrored about its centre. A
# parent destroyed while it is being resized ends the preview quietly.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_xvfb 1024x768
xsetroot -solid '#336699'  # the parent's background too

# shot_fills WINDOW WxH NAME: a few tries, since a wedge transition breaks the symmetry for up to 2 s.
shot_fills() {
  for _ in 1 2 3 4 5; do
    sleep 0.6
    import -window "$1" "$work/shot.png"
    [ "$(identify -format %wx%h "$work/shot.png")" = "$2" ] && covers_corners "$work/shot.png" 51,102,153 &&
      looks_mirrored "$work/shot.png" && return
  done
  fail "$3: $(identify -format %wx%h "$work/shot.png"), asymmetry $(mirror_asymmetry "$work/shot.png")"
}

start_parent 320 200
"$ORCHARDIA" /p "$parent" 2>>"$work/stderr" 3>&- &
saver=$!
wait_for 10 has_saver_window || fail "no preview"
sleep 1
for size in 640x480 200x150; do
  xdotool windowsize "$parent" "${size%x*}" "${size#*x}"
  shot_fills "$parent" "$size" "preview resized to $size"
done
(for w in $(seq 300 4 700); do xdotool windowsize "$parent" "$w" 300 || break; done) 2>/dev/null &
sleep 0.3
exec 3>&-
expect_exit "$saver" 0 "parent destroyed while resized"

xrandr --newmode 800x600_e2e 40 800 840 968 1056 600 601 605 628
xrandr --addmode screen 800x600_e2e
xdotool mousemove 1000 740
"$ORCHARDIA" /s 2>>"$work/stderr" &
saver=$!
for mode in 800x600_e2e 1024x768; do
  wait_for 10 has_saver_window && xrandr -s "$mode"
  shot_fills root "${mode%_e2e}" "screen at $mode"
done
kill -TERM "$saver"
expect_exit "$saver" 0 "SIGTERM"
[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_resize: ok"
