#!/usr/bin/env bash
# make run: starts the full-screen saver. With no display it runs under Xvfb
# for a few seconds and saves a screenshot instead.
set -euo pipefail
binary=${1:-build/orchardia}
if [ -n "${DISPLAY:-}" ]; then
  exec "$binary" /s
fi
shot=${ORCHARDIA_SCREENSHOT:-build/orchardia-run.png}
seconds=${ORCHARDIA_RUN_SECONDS:-6}
here=$(cd "$(dirname "$0")" && pwd)
"$here/with-xvfb.sh" -s 1280x720 bash -c '
  "$1" /s & pid=$!
  sleep "$2"
  import -window root "$3"
  kill -TERM $pid 2>/dev/null || true
  wait $pid' _ "$binary" "$seconds" "$shot"
echo "No display: ran the saver under Xvfb for ${seconds}s; screenshot saved to $shot"
