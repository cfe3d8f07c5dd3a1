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

# shot NAME [ARGUMENT...]: runs /s (or the arguments) for a few seconds and
# captures the screen.
shot() {
  "$ORCHARDIA" "${@:2}" 2>>"$work/stderr" &
  local saver=$!
  wait_for 10 has_saver_window || fail "no saver window"
  sleep 3
  import -window root "$work/$1.png"
  kill -TERM "$saver"
  expect_exit "$saver" 0 "SIGTERM"
}

# corner_label PNG: the lower-left 110x24 pixels are mostly black with some
# white, as the frame rate's box is; the gradient there is neither.
corner_label() {
  convert "$1" -gravity SouthWest -crop 110x24+0+0 +repage txt:- |
    awk '/#000000/ { black++ } /#FFFFFF/ { white++ } END { exit !(black > 1000 && white > 130) }'
}

shot mirrored /s
! corner_label "$work/mirrored.png" || fail "a label in the corner without --fps"
shows_sprites "$work/mirrored.png" || fail "mirrored frame shows no sprites ($(edge_fraction "$work/mirrored.png"))"
covers_corners "$work/mirrored.png" 0,0,0 || fail "mirrored frame has no gradient"
looks_mirrored "$work/mirrored.png" || fail "mirrors on, but the frame is not symmetric ($(mirror_asymmetry "$work/mirrored.png"))"

mkdir -p "$XDG_CONFIG_HOME/orchardia"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver]\n"UseMirrors"=dword:00000000\n' \
  > "$XDG_CONFIG_HOME/orchardia/user.reg"
shot plain /s
shows_sprites "$work/plain.png" || fail "plain frame shows no sprites ($(edge_fraction "$work/plain.png"))"
covers_corners "$work/plain.png" 0,0,0 || fail "plain frame has no gradient"
! looks_mirrored "$work/plain.png" || fail "mirrors off, but the frame is symmetric ($(mirror_asymmetry "$work/plain.png"))"
shot hosted --root
looks_mirrored "$work/hosted.png" || fail "--root with mirrors off in the file: not mirrored ($(mirror_asymmetry "$work/hosted.png"))"
shot fps -fps
corner_label "$work/fps.png" || fail "-fps: no frame rate in the lower-left corner"

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_picture: ok"
