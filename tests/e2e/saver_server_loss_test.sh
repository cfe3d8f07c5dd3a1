#!/usr/bin/env bash
# The X server going away under a running saver ends the run quietly with exit
# code 0, never a crash.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
for mode in /s preview; do
  start_xvfb 640x480
  if [ "$mode" = /s ]; then
    "$ORCHARDIA" /s 2>"$work/stderr" &
  else
    "$ORCHARDIA" /p "$(xwininfo -root | awk '/Window id:/{print $4}' | xargs printf '%d')" 2>"$work/stderr" &
  fi
  saver=$!
  wait_for 10 has_saver_window || fail "$mode: no saver window"
  sleep 0.5
  kill "$xvfb_pid"
  expect_exit "$saver" 0 "$mode: server gone"
  [ ! -s "$work/stderr" ] || fail "$mode: said $(cat "$work/stderr")"
done
echo "saver_server_loss: ok"
