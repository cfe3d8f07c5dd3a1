#!/usr/bin/env bash
# orchardia /s draws the kaleidoscope: sprites over the gradient, mirrored into
# a picture symmetric about the vertical centre line with the mirrors on (the
# default), and the plain, lopsided sprite field with "UseMirrors" 0.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600

# pixel PNG X Y: the pixel there as "R,G,B" (0-255).
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# corners_coloured PNG: the corners hold the gradient, not the clear colour alone.
corners_coloured() {
  for point in "2 2" "797 2" "2 597" "797 597"; do
    [ "$(pixel "$1" $point)" != "0,0,0" ] || return 1
  done
}

run_and_shoot mirrored
check_picture mirrored mirrored
corners_coloured "$work/mirrored.png" || fail "mirrored frame has no gradient"

write_settings 0
run_and_shoot plain
check_picture plain plain
corners_coloured "$work/plain.png" || fail "plain frame has no gradient"

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_picture: ok"
