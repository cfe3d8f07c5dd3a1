#!/usr/bin/env bash
# The picture follows its window: a preview whose host window grows, shrinks or
# is dragged through many sizes, and a full-screen run whose screen changes size
# (the pointer the shrink moves is not input), fill the new size with the
# kaleidoscope centred on it. A parent destroyed in the middle of resizing ends
# the preview quietly.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_xvfb 1024x768
background=51,102,153  # the parent's, and here the screen's
xsetroot -solid '#336699'

# check_shot WINDOW W H NAME: the window is W x H, and its picture covers it to
# the corners, mirrored about its centre line and centred. A wedge transition
# breaks the symmetry for up to 2 s, so a few shots are tried.
check_shot() {
  local shot=$work/$4.png
  for _ in 1 2 3 4 5; do
    sleep 0.6
    import -window "$1" "$shot"
    [ "$(identify -format '%wx%h' "$shot")" = "$2x$3" ] && covers_corners "$shot" "$background" &&
      looks_mirrored "$shot" && looks_centred "$shot" && return
  done
  fail "$4: shot of $(identify -format '%wx%h' "$shot"), corners $(covers_corners "$shot" "$background" && echo covered ||
    echo uncovered), asymmetry $(mirror_asymmetry "$shot"), off-centre by $(centre_offset "$shot")"
}

start_parent 320 200
"$ORCHARDIA" /p "$parent" 2>>"$work/stderr" 3>&- &
saver=$!
child() { xwininfo -id "$parent" -children 2>/dev/null | awk '/"SaverWindow"/{print $1}'; }
has_child() { [ -n "$(child)" ]; }
wait_for 10 has_child || fail "no child window in the parent"
sleep 1
for size in "640 480 grown" "200 150 shrunk"; do
  read -r w h name <<<"$size"
  xdotool windowsize "$parent" "$w" "$h"
  check_shot "$parent" "$w" "$h" "preview $name"
  [ "$(geometry "$(child)")" = "0 0 $w $h" ] || fail "preview $name: child at $(geometry "$(child)")"
done
# Dragged through sizes as fast as xdotool goes, then destroyed mid-drag.
for w in $(seq 300 8 620); do xdotool windowsize "$parent" "$w" $((w * 3 / 4)); done
check_shot "$parent" 620 465 "preview dragged"
(for w in $(seq 300 4 700); do xdotool windowsize "$parent" "$w" 300 2>/dev/null || break; done) &
sleep 0.3
exec 3>&-
expect_exit "$saver" 0 "parent destroyed while resized"

# The pointer at the far corner: the shrink moves it onto the smaller screen.
xrandr --newmode 800x600_e2e 40 800 840 968 1056 600 601 605 628
xrandr --addmode screen 800x600_e2e
xdotool mousemove 1000 740
"$ORCHARDIA" /s 2>>"$work/stderr" &
saver=$!
wait_for 10 has_saver_window || fail "no saver window"
sleep 1
for mode in "800x600_e2e 800 600 shrunk" "1024x768 1024 768 grown"; do
  read -r name w h what <<<"$mode"
  xrandr -s "$name"
  check_shot root "$w" "$h" "screen $what"
  [ "$(geometry "$(saver_window)")" = "0 0 $w $h" ] || fail "screen $what: saver at $(geometry "$(saver_window)")"
  running "$saver" || fail "screen $what: the saver ended"
done
kill -TERM "$saver"
expect_exit "$saver" 0 "SIGTERM"

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_resize: ok"
