#!/usr/bin/env bash
# The X server going away under a running saver ends the run with exit code 0
# and one line of explanation, never a crash.
source "$(dirname "$0")/saver_lib.sh"
for mode in /s preview; do
  start_xvfb 640x480
  xvfb=${pids_to_stop[-1]}
  if [ "$mode" = /s ]; then
    "$ORCHARDIA" /s 2>"$work/stderr" &
  else
    "$ORCHARDIA" /p "$(xwininfo -root | awk '/Window id:/{print $4}' | xargs printf '%d')" 2>"$work/stderr" &
  fi
  saver=$!
  pids_to_stop+=($saver)
  wait_for 10 has_saver_window || fail "$mode: no saver window"
  sleep 0.5
  kill "$xvfb"
  expect_exit "$saver" 0 "$mode: server gone"
  grep -q "lost the connection to the X server" "$work/stderr" || fail "$mode: said $(cat "$work/stderr")"
done
echo "saver_server_loss: ok"
