#!/usr/bin/env bash
# orchardia /s draws the kaleidoscope: sprites over the gradient, mirrored into
# a picture symmetric about the vertical centre line with the mirrors on (the
# default), and the plain, lopsided sprite field with "UseMirrors" 0. Under a
# host option the mirrors are on whatever the file says; --fps adds the frame
# rate, white on black, in the lower-left corner, and only --fps does.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600

# corner_label PNG: the lower-left 110x24 pixels are mostly black with some
# white, as the frame rate's box is; the gradient there is neither.
corner_label() {
  convert "$1" -gravity SouthWest -crop 110x24+0+0 +repage txt:- |
    awk '/#000000/ { black++ } /#FFFFFF/ { white++ } END { exit !(black > 1000 && white > 130) }'
}

# label_height PNG: how many pixel rows of the label's black box stand at the
# picture's lower-left corner (26 while a font pixel is 2 screen pixels).
label_height() {
  convert "$1" -gravity SouthWest -crop 1x60+1+0 +repage txt:- | tac | awk '!/#000000/ { exit } { n++ } END { print n + 0 }'
}

run_and_check mirrored mirrored
covers_corners "$work/mirrored.png" 0,0,0 || fail "mirrored frame has no gradient"
! corner_label "$work/mirrored.png" || fail "a label in the corner without --fps"

write_settings 0
run_and_check plain plain
covers_corners "$work/plain.png" 0,0,0 || fail "plain frame has no gradient"
run_and_check fps mirrored -fps
corner_label "$work/fps.png" || fail "-fps: no frame rate in the lower-left corner"
[ "$(label_height "$work/fps.png")" = 26 ] || fail "-fps: a label $(label_height "$work/fps.png") pixels high"
# The text's first letter, an F of 14 font pixels, 2x2 screen pixels each, and nothing below it.
[ "$(convert "$work/fps.png" -gravity SouthWest -crop 10x18+6+2 +repage txt:- | grep -c '#FFFFFF')" = 56 ] || fail "-fps: no F"

# --root with no daemon draws on the root window itself, under a window manager
# too: no window the manager manages, the whole root filled and mirrored
# (whatever the file says: the host decides) at each size the screen takes;
# SIGTERM ends it and the root shows its own background again.
start_openbox
xsetroot -solid '#336699'
"$ORCHARDIA" --root 2>>"$work/stderr" &
saver=$!
shoot hosted 3 mirrored
check_picture hosted mirrored
[ -z "$(xdotool search --pid "$saver")" ] && ! xprop -root _NET_CLIENT_LIST | grep -q 0x && ! has_saver_window ||
  fail "--root made a window: $(xprop -root _NET_CLIENT_LIST) $(xwininfo -root -children | grep SaverWindow)"
xrandr --newmode 640x480_e2e 25 640 656 752 800 480 490 492 525 && xrandr --addmode screen 640x480_e2e
for mode in 640x480_e2e 800x600; do
  xrandr -s "$mode"
  shot_fills root "--root at $mode"
done
kill -TERM "$saver"
expect_exit "$saver" 0 "--root: SIGTERM"
import -window root "$work/after.png"
[ "$(pixel "$work/after.png" 400 300)" = 51,102,153 ] || fail "--root left its picture on the root"

# A root whose visual cannot take the GL context (DirectColor): the picture
# goes into an unmanaged window of the root's size, below every other window.
start_xvfb 640x480 -cc 5
start_parent 100 100
"$ORCHARDIA" --root 2>>"$work/stderr" &
saver=$!
wait_for 10 has_saver_window || fail "DirectColor root: no window"
sleep 2
shoot_until "$(saver_window)" "$work/direct.png" shot_is mirrored
check_picture direct mirrored
xwininfo -id "$(saver_window)" | grep -q 'Override Redirect State: yes' && [ "$(geometry "$(saver_window)")" = "0 0 640 480" ] &&
  xwininfo -root -children | grep '^ *0x' | tail -1 | grep -q '"SaverWindow"' || fail "DirectColor root: $(xwininfo -root -children)"
kill -TERM "$saver"
expect_exit "$saver" 0 "--root on a DirectColor root: SIGTERM"

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_picture: ok"
