#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server that lives as long as
# the command. Usage: tools/with-xvfb.sh [-s WIDTHxHEIGHT] command...
set -euo pipefail
size=1280x1024
if [ "${1:-}" = "-s" ]; then size=$2; shift 2; fi

lock_dir=/tmp
for number in $(seq 90 190); do
  [ -e "$lock_dir/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] || break
done
Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp -noreset >/tmp/orchardia-xvfb-$number.log 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$number" ] && break
  sleep 0.05
done
DISPLAY=":$number" "$@"
