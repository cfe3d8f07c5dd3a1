#!/usr/bin/env bash
# The X server going away under a running saver, or at any moment of its
# start-up, ends the run quietly with exit code 0, never a crash.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
root_id() { xwininfo -root | awk '/Window id:/{print $4}' | xargs printf '%d'; }
for mode in /s preview; do
  start_xvfb 640x480
  if [ "$mode" = /s ]; then
    "$ORCHARDIA" /s 2>"$work/stderr" &
  else
    "$ORCHARDIA" /p "$(root_id)" 2>"$work/stderr" &
  fi
  saver=$!
  wait_for 10 has_saver_window || fail "$mode: no saver window"
  sleep 0.5
  kill "$xvfb_pid"
  expect_exit "$saver" 0 "$mode: server gone"
  [ ! -s "$work/stderr" ] || fail "$mode: said $(cat "$work/stderr")"
done

for mode in /s /p; do
  for delay in 0 0.02 0.04 0.06 0.08; do
    start_xvfb 640x480
    args=("$mode")
    [ "$mode" != /p ] || args+=("$(root_id)")
    "$ORCHARDIA" "${args[@]}" 2>"$work/stderr" &
    saver=$!
    end_early "$saver" server "$delay"
    expect_exit "$saver" 0 "$mode: server gone ${delay}s after connecting"
    [ ! -s "$work/stderr" ] || fail "$mode: server gone after ${delay}s: said $(cat "$work/stderr")"
  done
done
echo "saver_server_loss: ok"
