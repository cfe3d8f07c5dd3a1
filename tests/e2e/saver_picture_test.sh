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
# Under a host option the host decides: mirrored whatever the file says.
run_and_check hosted mirrored --root
run_and_check fps mirrored -fps
corner_label "$work/fps.png" || fail "-fps: no frame rate in the lower-left corner"
[ "$(label_height "$work/fps.png")" = 26 ] || fail "-fps: a label $(label_height "$work/fps.png") pixels high"
# The text's first letter, an F of 14 font pixels, 2x2 screen pixels each, and nothing below it.
[ "$(convert "$work/fps.png" -gravity SouthWest -crop 10x18+6+2 +repage txt:- | grep -c '#FFFFFF')" = 56 ] || fail "-fps: no F"
# In a small window too the font stays 2 pixels a font pixel.
start_parent 240 100
"$ORCHARDIA" --window-id "$parent" -fps 2>>"$work/stderr" &
saver=$!
small_label() { import -window "$parent" "$work/small.png" && [ "$(label_height "$work/small.png")" = 26 ]; }
wait_for 5 small_label || fail "-fps at 240x100: a label $(label_height "$work/small.png") pixels high"
kill -TERM "$saver" && expect_exit "$saver" 0 "-fps at 240x100: SIGTERM"
exec 3>&-
[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_picture: ok"
