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

run_and_shoot mirrored
check_picture mirrored mirrored
covers_corners "$work/mirrored.png" 0,0,0 || fail "mirrored frame has no gradient"
! corner_label "$work/mirrored.png" || fail "a label in the corner without --fps"

write_settings 0
run_and_shoot plain
check_picture plain plain
covers_corners "$work/plain.png" 0,0,0 || fail "plain frame has no gradient"
# Under a host option the host decides: mirrored whatever the file says.
run_and_shoot hosted --root
check_picture hosted mirrored
run_and_shoot fps -fps
corner_label "$work/fps.png" || fail "-fps: no frame rate in the lower-left corner"

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_picture: ok"
