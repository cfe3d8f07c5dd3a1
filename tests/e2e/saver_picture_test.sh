#!/usr/bin/env bash
# orchardia /s draws the kaleidoscope: sprites over the gradient, both with the
# mirrors on (the default) and with "UseMirrors" 0.
source "$(dirname "$0")/saver_lib.sh"
start_xvfb 800x600

# shot NAME: runs /s for a few seconds and captures the screen.
shot() {
  "$ORCHARDIA" /s 2>>"$work/stderr" &
  local saver=$!
  pids_to_stop+=($saver)
  wait_for 10 has_saver_window || fail "no saver window"
  sleep 3
  import -window root "$work/$1.png"
  kill -TERM "$saver"
  expect_exit "$saver" 0 "SIGTERM"
}

# gradient_at PNG X Y: the pixel there as "R,G,B" (0-255).
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# not_black PNG: the corners hold the gradient, not the clear colour alone.
corners_coloured() {
  for point in "2 2" "797 2" "2 597" "797 597"; do
    [ "$(pixel "$1" $point)" != "0,0,0" ] || return 1
  done
}

shot mirrored
shows_sprites "$work/mirrored.png" || fail "mirrored frame shows no sprites ($(edge_fraction "$work/mirrored.png"))"
corners_coloured "$work/mirrored.png" || fail "mirrored frame has no gradient"

mkdir -p "$XDG_CONFIG_HOME/orchardia"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver]\n"UseMirrors"=dword:00000000\n' \
  > "$XDG_CONFIG_HOME/orchardia/user.reg"
shot plain
shows_sprites "$work/plain.png" || fail "plain frame shows no sprites ($(edge_fraction "$work/plain.png"))"
corners_coloured "$work/plain.png" || fail "plain frame has no gradient"

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_picture: ok"
