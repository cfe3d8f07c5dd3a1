# Shared by the Windows end-to-end tests: failure reporting, window waits and
# the saver's registry key, all in the test prefix. Sourced, not run.
set -euo pipefail

SETTINGS_KEY='HKCU\Software\Kelvra\Quillon Saver'

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Prints the X id of the first window whose name is $1, waiting up to $2 seconds.
wait_for_window() {
  local name=$1 seconds=$2 window
  for _ in $(seq $((seconds * 10))); do
    window=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for process $1 to end; its exit code goes to EXIT_CODE.
wait_for_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq $((seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      EXIT_CODE=0
      wait "$pid" || EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Ends a saver still running after a failed check, so that nothing outlives the test.
stop_saver() {
  [ -n "${SAVER_PID:-}" ] && kill "$SAVER_PID" 2>/dev/null || true
}
trap stop_saver EXIT

reset_settings() {
  "$WINE" reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true
}

# Prints the stored "UseMirrors" line of `reg query`, or nothing when there is none.
stored_mirrors() {
  "$WINE" reg query "$SETTINGS_KEY" /v UseMirrors 2>/dev/null | tr -d '\r' | grep UseMirrors || true
}
