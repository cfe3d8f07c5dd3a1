#!/usr/bin/env bash
# Message boxes of the stand-in: the text always on standard error, and a box
# with one OK button that Enter, Esc, Space, a click and the close button end.
set -uo pipefail
# shellcheck source=tests/e2e/private_display.sh
source "$(dirname "$0")/private_display.sh"
: "${ORCHARDIA_BUILD:?the build directory}"

helper=$ORCHARDIA_BUILD/test-helpers/show_message_box
send_close=$ORCHARDIA_BUILD/test-helpers/send_close_request
# Standard error is checked line by line: a sanitizer build keeps its summary of
# suppressed leaks to itself.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
  stop_private_display
}
trap cleanup EXIT
start_private_display || exit 1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

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
  for _ in $(seq 100); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ] && break
    sleep 0.05
  done
  local w h
  read -r w h < <(xwininfo -id "$win" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  case $way in
    click) xdotool mousemove --window "$win" $((w / 2)) $((h - 22)) click 1 ;;
    close) "$send_close" "$win" ;;
    *) xdotool key "$way" ;;
  esac
  timeout 10 tail --pid="$pid" -f /dev/null
  if kill -0 "$pid" 2>/dev/null; then
    fail "$way: the box is still up"
    kill "$pid"
  fi
  wait "$pid"
  local rc=$?
  pid=
  [ "$rc" -eq 0 ] || fail "$way: exit code $rc"
  [ "$(cat "$work/out")" = 1 ] || fail "$way: MessageBoxA returned $(cat "$work/out"), not IDOK"
  [ "$(cat "$work/err")" = "$title: Something went wrong" ] || fail "$way: standard error was: $(cat "$work/err")"
}

for way in Return Escape space click close; do run_box "$way" 0 Oops Oops; done
run_box Return 0 "" Error         # no caption: Windows' "Error"
run_box Return 999999 Oops Oops   # an owner that names no window still shows the box

# No display: standard error only.
env -u DISPLAY timeout 10 "$helper" 0 "Something went wrong" Oops >"$work/out" 2>"$work/err"
[ "$?" -eq 0 ] && [ "$(cat "$work/out")" = 1 ] || fail "no display: did not return IDOK"
[ "$(cat "$work/err")" = "Oops: Something went wrong" ] || fail "no display: standard error was: $(cat "$work/err")"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "message box: all checks passed"
