#!/usr/bin/env bash
# "/s": the saver covers the screen and draws frames with sprites in them (not
# only the background gradient), and a key pressed within the grace period
# ends the run at once with exit code 0. The grace period is set to a minute,
# so that a slow start on a busy machine still leaves the key well inside it.
source "$(dirname "$0")/wine_lib.sh"

screenshot=$ORCHARDIA_BUILD/tests/windows/saver.png
system_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'
"$WINE" reg add "$system_key" /v "Password Delay" /t REG_DWORD /d 60 /f >/dev/null
"$WINE" reg add "$system_key" /v "Mouse Threshold" /t REG_DWORD /d 50 /f >/dev/null

started=$SECONDS
"$WINE" "$ORCHARDIA_SCR" /s &
SAVER_PID=$!
window=$(wait_for_window SaverWindow 60) || fail "no saver window appeared"

read -r screen_width screen_height < <(xdpyinfo | awk '/dimensions:/ { split($2, size, "x"); print size[1], size[2] }')
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
  /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
[ "$geometry" = "0 0 $screen_width $screen_height" ] ||
  fail "the saver window is at $geometry, not over the whole ${screen_width}x$screen_height screen"

xdotool windowfocus --sync "$window"
sleep 2
import -window root "$screenshot"
kill -0 "$SAVER_PID" 2>/dev/null || fail "the saver ended before any input"
xdotool key space
keyed=$SECONDS
wait_for_exit "$SAVER_PID" 10 || fail "a key did not end the run"
echo "the run ended $((SECONDS - keyed)) s after the key"
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE"
[ $((keyed - started)) -lt 60 ] || fail "the key came $((keyed - started)) s after start, past the grace period"
echo "a key $((keyed - started)) s after start ended the run with exit code 0"

# The gradient survives a wide blur almost unchanged; sprites' outlines do not. The share of
# pixels far from their blurred value is near 0 for the gradient with its faint banner.
detail=$(convert "$screenshot" -colorspace Gray \( +clone -blur 0x12 \) -compose Difference -composite \
  -threshold 6% -format '%[fx:mean * 100]' info:)
echo "$detail% of the frame is sprite outline (screenshot: $screenshot)"
awk -v d="$detail" 'BEGIN { exit !(d > 2) }' || fail "the frame shows no sprites, only the background"

