# Shared by the Windows end-to-end tests: failure reporting, window waits, the
# saver's registry key and one full-screen run with its sprite check, all in the test prefix
# ($WINEPREFIX). Sourced, not run.
set -euo pipefail

SETTINGS_KEY='HKCU\Software\Kelvra\Quillon Saver'
# The sprite and mirror detectors of the Linux tests.
# shellcheck source=tests/e2e/picture.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/picture.sh"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Prints the X id of the first window whose name is $1, waiting up to $2 seconds.
wait_for_window() {
  local name=$1 seconds=$2 window
  for _ in $(seq $((seconds * 10))); do
    window=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for process $1 to end; its exit code goes to EXIT_CODE.
wait_for_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq $((seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      EXIT_CODE=0
      wait "$pid" || EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# child_gl_window W H: the X window that Wine 8 renders a W x H child window's
# GL into. Wine never copies it onto the screen, where the parent shows its own
# background alone; the window sits off screen at -1,-1, and X gives its pixels
# (less the column and row off the screen).
child_gl_window() {
  xwininfo -root -tree | awk -v size="$1x$2+0+0" 'NF > 2 && $(NF - 1) == size && $NF == "+-1+-1" { print $1; exit }'
}

# Ends a saver still running after a failed check, so that nothing outlives the test.
stop_saver() {
  [ -n "${SAVER_PID:-}" ] && kill "$SAVER_PID" 2>/dev/null || true
}
trap stop_saver EXIT

# The version information of the Windows file $1, decompiled.
version_info() {
  "$WINDRES" -i "$1" -O rc | tr -d '\r' | sed -n '/^1 VERSIONINFO$/,/^END$/p'
}

reset_settings() {
  "$WINE" reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true
}

# Prints the stored "UseMirrors" line of `reg query`, or nothing when there is none.
stored_mirrors() {
  "$WINE" reg query "$SETTINGS_KEY" /v UseMirrors 2>/dev/null | tr -d '\r' | grep UseMirrors || true
}

# A grace period of a minute (input ends a run without a password) and a mouse threshold of 50 pixels.
set_grace_minute() {
  local system_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'
  "$WINE" reg add "$system_key" /v "Password Delay" /t REG_DWORD /d 60 /f >/dev/null
  "$WINE" reg add "$system_key" /v "Mouse Threshold" /t REG_DWORD /d 50 /f >/dev/null
}

# "/s" with the file $1: the saver covers the screen and draws frames with
# sprites in them (not only the background gradient; the frame goes to $2), and
# a key pressed within the grace period ends the run at once with exit code 0.
# The grace period is set to a minute, so that a slow start on a busy machine
# still leaves the key well inside it.
check_saver_run() {
  local saver=$1 screenshot=$2 window started keyed geometry screen_width screen_height
  set_grace_minute
  started=$SECONDS
  "$WINE" "$saver" /s &
  SAVER_PID=$!
  window=$(wait_for_window SaverWindow 60) || fail "no saver window appeared"

  read -r screen_width screen_height < <(xdpyinfo | awk '/dimensions:/ { split($2, size, "x"); print size[1], size[2] }')
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
  [ "$geometry" = "0 0 $screen_width $screen_height" ] ||
    fail "the saver window is at $geometry, not over the whole ${screen_width}x$screen_height screen"

  xdotool windowfocus --sync "$window"
  sleep 2
  shoot_until root "$screenshot" shows_sprites || true  # the caller's check of the shot says what it lacks
  kill -0 "$SAVER_PID" 2>/dev/null || fail "the saver ended before any input"
  xdotool key space
  keyed=$SECONDS
  wait_for_exit "$SAVER_PID" 10 || fail "a key did not end the run"
  echo "the run ended $((SECONDS - keyed)) s after the key"
  [ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE"
  [ $((keyed - started)) -lt 60 ] || fail "the key came $((keyed - started)) s after start, past the grace period"
  echo "a key $((keyed - started)) s after start ended the run with exit code 0"

  shows_sprites "$screenshot" ||
    fail "the frame shows no sprites, only the background ($(sprite_detail "$screenshot")% outline, $screenshot)"
}
