#!/usr/bin/env bash
# orchardia /p <id>: a child of that window at (0, 0) with its size, left alone
# by input, ending with exit code 0 when the parent is destroyed; a handle that
# names no window ends at once, silently.
source "$(dirname "$0")/saver_lib.sh"
start_xvfb 800x600
xparent=$ORCHARDIA_BUILD/tests/helpers/xparent/xparent

# start_parent W H: a plain window that goes away when its control pipe closes.
start_parent() {
  rm -f "$work/ctl" "$work/parent"
  mkfifo "$work/ctl"
  "$xparent" "$1" "$2" <"$work/ctl" >"$work/parent" &
  parent_pid=$!
  pids_to_stop+=($parent_pid)
  exec 3>"$work/ctl"
  wait_for 10 test -s "$work/parent" || fail "no parent window"
  parent=$(cat "$work/parent")
}

start_parent 320 200
"$ORCHARDIA" /p "$parent" 2>>"$work/stderr" 3>&- &
saver=$!
pids_to_stop+=($saver)
child() { xwininfo -id "$parent" -children 2>/dev/null | awk '/"SaverWindow"/{print $1}'; }
has_child() { [ -n "$(child)" ]; }
wait_for 10 has_child || fail "no child window in the parent"
[ "$(geometry "$(child)")" = "0 0 320 200" ] || fail "child geometry $(geometry "$(child)")"
xdotool mousemove --window "$parent" 10 10 mousemove --window "$parent" 300 190 click 1 key a
sleep 0.5
running "$saver" || fail "preview ended on input"
exec 3>&-   # the parent destroys its window
expect_exit "$saver" 0 "parent destroyed"

start_parent 160 120
"$ORCHARDIA" /p "$parent" 2>>"$work/stderr" 3>&- &
saver=$!
pids_to_stop+=($saver)
wait_for 10 has_child || fail "no child window in the second parent"
kill -TERM "$saver"
expect_exit "$saver" 0 "SIGTERM in a preview"
[ -z "$(child)" ] || fail "child left behind after SIGTERM"
exec 3>&-
wait "$parent_pid"

before=$(xwininfo -root -children | grep -c '^ *0x' || true)
timeout 10 "$ORCHARDIA" /p 999999 >"$work/missing.out" 2>&1 || fail "/p 999999: exit code $?"
[ ! -s "$work/missing.out" ] || fail "/p 999999 printed: $(cat "$work/missing.out")"
after=$(xwininfo -root -children | grep -c '^ *0x' || true)
[ "$after" -le "$before" ] && ! has_saver_window || fail "/p 999999 left a window"

[ ! -s "$work/stderr" ] || fail "unexpected output: $(cat "$work/stderr")"
echo "saver_preview: ok"
