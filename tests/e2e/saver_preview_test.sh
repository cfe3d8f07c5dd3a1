#!/usr/bin/env bash
# orchardia /p <id>: a child of that window at (0, 0) with its size, left alone
# by input, drawing centred at the parent's new size when it is resized, ending with exit code 0 and nothing on standard error when the
# parent is destroyed or on SIGTERM; a handle that names no window ends at once
# with one line on standard error that quotes it.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600
start_parent 320 200
"$ORCHARDIA" /p "$parent" 2>>"$work/stderr" 3>&- &
saver=$!
child() { xwininfo -id "$parent" -children 2>/dev/null | awk '/"SaverWindow"/{print $1}'; }
has_child() { [ -n "$(child)" ]; }
wait_for 10 has_child || fail "no child window in the parent"
[ "$(geometry "$(child)")" = "0 0 320 200" ] || fail "child geometry $(geometry "$(child)")"
xdotool mousemove --window "$parent" 10 10 mousemove --window "$parent" 300 190 click 1 key a
sleep 0.5
running "$saver" || fail "preview ended on input"
for size in "640 480" "200 150" "200 300" "360 300"; do
  xdotool windowsize "$parent" $size
  shot_fills "$parent" "parent resized to $size"
done
child_is() { [ "$(geometry "$(child)")" = "$1" ]; }
xdotool windowsize "$parent" 1 1 && wait_for 5 child_is "0 0 1 1" || fail "a parent shrunk to one pixel: child $(geometry "$(child)")"
(for w in $(seq 300 4 700); do xdotool windowsize "$parent" "$w" 300 || break; done) 2>/dev/null &
sleep 0.3
exec 3>&-   # the parent destroys its window in the middle of being resized
expect_exit "$saver" 0 "parent destroyed"

start_parent 160 120
"$ORCHARDIA" /p "$parent" 2>>"$work/stderr" 3>&- &
saver=$!
wait_for 10 has_child || fail "no child window in the second parent"
kill -TERM "$saver"
expect_exit "$saver" 0 "SIGTERM in a preview"
[ -z "$(child)" ] || fail "child left behind after SIGTERM"
exec 3>&-
wait "$parent_pid"

top_level_windows() { xwininfo -root -children | grep -c '^ *0x' || true; }

# The parent going away at any moment of set-up (as a settings dialog does when
# the user clicks on to the next saver) ends the run within a second, leaving no
# window behind (an error box would be one). Gone before the saver's window was
# made, it is a handle that names no window: at most that one line.
before=$(top_level_windows)
for delay in 0 0.02 0.04 0.06 0.08 0.1 0.12 0.14 0.16 0.18 0.2 0.22 0.24 0.26 0.28 0.3; do
  start_parent 160 120
  "$ORCHARDIA" /p "$parent" 2>"$work/race.err" 3>&- &
  saver=$!
  sleep "$delay"
  exec 3>&-
  if ! wait_for 1 stopped "$saver"; then
    fail "parent destroyed after ${delay}s: still running a second later"
    kill -KILL "$saver"
  fi
  expect_exit "$saver" 0 "parent destroyed after ${delay}s"
  wait "$parent_pid"
  [ "$(top_level_windows)" -le "$before" ] || fail "parent destroyed after ${delay}s: a window was left"
  [ ! -s "$work/race.err" ] || { [ "$(wc -l <"$work/race.err")" -eq 1 ] && grep -q "no window has the id" "$work/race.err"; } ||
    fail "parent destroyed after ${delay}s printed: $(cat "$work/race.err")"
done

for line in "/p 999999:no window has the id 999999" "/p:no window id" "/p 0x20002c:no window id" \
            "-l:2000000:no window has the id 2000000"; do
  args=${line%:*}
  # shellcheck disable=SC2086
  timeout 10 "$ORCHARDIA" $args >"$work/missing.out" 2>&1 || fail "$args: exit code $?"
  [ "$(wc -l <"$work/missing.out")" -eq 1 ] && grep -qF "orchardia: $args: ${line##*:}" "$work/missing.out" ||
    fail "$args: expected one line quoting it, got: $(cat "$work/missing.out")"
done
[ "$(top_level_windows)" -le "$before" ] && ! has_saver_window || fail "a preview of no window left a window"

# --window: a window of its own that the window manager manages, titled
# Orchardia with the program's icon, as large as --geometry says, the picture
# filling it as it is resized; a click, another key or a WM_TAKE_FOCUS leaves
# it running, q and the window's close button end it with 0.
start_openbox
own_window() { xdotool search --name '^Orchardia$' 2>/dev/null | head -1; }
for row in "640 480 q" "200 150 Escape" "300 200 close"; do
  read -r width height how <<<"$row"
  "$ORCHARDIA" --window --geometry "${width}x$height" 2>>"$work/stderr" &
  saver=$!
  wait_for 10 has_saver_window || fail "--window: no saver window"
  win=$(own_window)
  xprop -root _NET_CLIENT_LIST | grep -q "$(printf '0x%x' "$win")" || fail "--window: not managed"
  xprop -id "$win" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "--window: no icon"
  xprop -id "$win" WM_HINTS | grep -q 'accepts input or input focus: True' || fail "--window: no input hint"
  [ "$(geometry "$(saver_window)")" = "0 0 $width $height" ] || fail "--window $row: $(geometry "$(saver_window)")"
  xdotool windowsize "$win" 500 320
  shot_fills "$win" "--window resized"
  xdotool windowfocus --sync "$win" mousemove --window "$win" 20 20 click 1 key a
  "$ORCHARDIA_BUILD/test-helpers/send_close_request" "$win" WM_TAKE_FOCUS
  sleep 0.5
  running "$saver" || fail "--window ended on a click, a key or a message that is no close request"
  if [ "$how" != close ]; then xdotool key "$how"; else
    read -r x y < <(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
    xdotool mousemove $((x + 490)) $((y - 11)) click 1   # the title bar's close button, top right
  fi
  expect_exit "$saver" 0 "--window: $how"
done

# Without GLX the preview shows its error box; the box, and the run, end with
# the preview's parent, the Linux option's with exit code 1.
start_xvfb 640x480 -extension GLX
has_error_box() { [ -n "$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null)" ]; }
for row in "/p 0" "--window-id 1"; do
  read -r mode code <<<"$row"
  start_parent 160 120
  "$ORCHARDIA" "$mode" "$parent" 2>"$work/box.err" 3>&- &
  wait_for 10 has_error_box || fail "no GLX: no error box"
  exec 3>&-
  expect_exit $! "$code" "no GLX, $mode: parent destroyed"
  ! has_error_box || fail "no GLX: the error box outlived the parent"
  [ "$(cat "$work/box.err")" = "Error: ChoosePixelFormat() failed:  Cannot find a suitable pixel format." ] ||
    fail "no GLX: said $(cat "$work/box.err")"
done

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_preview: ok"
