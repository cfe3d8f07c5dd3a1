#!/usr/bin/env bash
# The X server going away under a running saver ends the run quietly with exit
# code 0, never a crash; under a Linux option with exit code 1 and one line
# that says so.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
for mode in /s /p --window-id; do
  start_xvfb 640x480
  args=("$mode") && [ "$mode" = /s ] || args+=("$(root_id)")
  "$ORCHARDIA" "${args[@]}" 2>"$work/stderr" &
  saver=$!
  wait_for 10 has_saver_window || fail "$mode: no saver window"
  sleep 0.5
  kill "$xvfb_pid"
  if [ "$mode" = --window-id ]; then
    expect_exit "$saver" 1 "$mode: server gone"
    [ "$(cat "$work/stderr")" = "orchardia: lost the connection to the X display \"$DISPLAY\"" ] ||
      fail "$mode: said $(cat "$work/stderr")"
  else
    expect_exit "$saver" 0 "$mode: server gone"
    [ ! -s "$work/stderr" ] || fail "$mode: said $(cat "$work/stderr")"
  fi
done

# So does the loss 0-80 ms after the program connected, and SIGTERM soon after
# it connected or already pending when it starts: the run or the dialog ends
# alike. A crash signal sent with the server alive ends the program by that
# signal (128 + its number), as a crash does.
rows=("/s TERM start" "/p TERM start" "/c TERM start" "/s TERM 0" "/p TERM 0" "/p TERM 0.05")
for delay in 0 0.02 0.05 0.08; do rows+=("/s server $delay" "/p server $delay"); done
rows+=("/s SEGV 0.5" "/p ABRT 0.5")
ulimit -c 0
for row in "${rows[@]}"; do
  read -r mode how delay <<<"$row"
  code=0 && [[ $how != SEGV && $how != ABRT ]] || code=$((128 + $(kill -l "$how")))
  start_xvfb 640x480
  args=("$mode") && [ "$mode" != /p ] || args+=("$(root_id)")
  if [ "$delay" = start ]; then term_at_start "$ORCHARDIA" "${args[@]}" 2>"$work/stderr" &
  else "$ORCHARDIA" "${args[@]}" 2>"$work/stderr" & fi
  saver=$!
  [ "$delay" = start ] || end_early "$saver" "$how" "$delay"
  expect_exit "$saver" "$code" "$row"
  [ ! -s "$work/stderr" ] || fail "$row: said $(cat "$work/stderr")"
  kill "$xvfb_pid" 2>/dev/null || true
done
echo "saver_server_loss: ok"
