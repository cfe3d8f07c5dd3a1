#!/usr/bin/env bash
# Message boxes of the stand-in: the text always on standard error, and a box
# with one OK button that Enter, Esc, Space, a click, the close button, an end
# signal and the loss of the server end.
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
keep_going=1
start_xvfb 1280x1024
helper=$ORCHARDIA_BUILD/test-helpers/show_message_box
send_close=$ORCHARDIA_BUILD/test-helpers/send_close_request

# Shows a box, waits for it to hold the focus, ends it one way, and checks
# the result and standard error. Arguments: way, owner, caption, expected title.
run_box() {
  local way=$1 owner=$2 title=$4 caption=()
  [ -n "$3" ] && caption=("$3")
  "$helper" "$owner" "Something went wrong" "${caption[@]}" >"$work/out" 2>"$work/err" &
  pid=$!
  local win
  win=$(timeout 10 xdotool search --sync --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1)
  if [ -z "$win" ]; then
    fail "$way: no box titled $title"
    return
  fi
  wait_for 5 has_focus "$win" || true  # the key goes wherever the focus is
  local w h
  read -r w h < <(xwininfo -id "$win" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  case $way in
    click) xdotool mousemove --window "$win" $((w / 2)) $((h - 22)) click 1 ;;
    close) "$send_close" "$win" ;;
    TERM | INT | HUP) kill -s "$way" "$pid" ;;
    server-gone) kill "$xvfb_pid" ;;
    *) xdotool key "$way" ;;
  esac
  expect_exit "$pid" 0 "$way"
  [ "$(cat "$work/out")" = 1 ] || fail "$way: MessageBoxA returned $(cat "$work/out"), not IDOK"
  [ "$(cat "$work/err")" = "$title: Something went wrong" ] || fail "$way: standard error was: $(cat "$work/err")"
}

# An end signal, or the server going away, ends the box too.
for way in Return Escape space click close TERM INT HUP; do run_box "$way" 0 Oops Oops; done
run_box Return 0 "" Error         # no caption: Windows' "Error"
run_box Return 999999 Oops Oops   # an owner that names no window still shows the box

start_xvfb 640x480   # a server of its own to lose
run_box server-gone 0 Oops Oops

# No display: standard error only.
env -u DISPLAY timeout 10 "$helper" 0 "Something went wrong" Oops >"$work/out" 2>"$work/err"
[ "$?" -eq 0 ] && [ "$(cat "$work/out")" = 1 ] || fail "no display: did not return IDOK"
[ "$(cat "$work/err")" = "Oops: Something went wrong" ] || fail "no display: standard error was: $(cat "$work/err")"

end_checks "message box"
