#!/usr/bin/env bash
# Switches the program does not know do nothing: exit code 0 at once, and no
# window is ever created, not even for a moment.
set -uo pipefail
# shellcheck source=tests/e2e/private_display.sh
source "$(dirname "$0")/private_display.sh"
: "${ORCHARDIA:?the built program}"

work=$(mktemp -d)
watcher=
cleanup() {
  [ -n "$watcher" ] && kill "$watcher" 2>/dev/null
  rm -rf "$work"
  stop_private_display
}
trap cleanup EXIT
start_private_display || exit 1
export XDG_CONFIG_HOME=$work/config
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

top_level_windows() { xwininfo -root -children | grep -E '^ +0x' | sort; }

# Every window created on the root from here on is logged; a probe window
# shows when the watcher is listening.
xev -root -event substructure >"$work/events" &
watcher=$!
for _ in $(seq 100); do
  timeout 1 xev -name probe -geometry 1x1 >/dev/null 2>&1
  grep -aq CreateNotify "$work/events" && break
done
grep -aq CreateNotify "$work/events" || { echo "the window watcher never started" >&2; exit 1; }
sleep 0.2
: >"$work/events"
before=$(top_level_windows)

for argument in /x / //s foo; do
  timeout 10 "$ORCHARDIA" "$argument" 2>"$work/stderr"
  rc=$?
  [ "$rc" -eq 0 ] || fail "orchardia $argument: exit code $rc"
done

sleep 0.5
grep -aq CreateNotify "$work/events" && fail "a window was created: $(grep -a -A2 CreateNotify "$work/events")"
[ "$(top_level_windows)" = "$before" ] || fail "the top-level windows changed"
[ ! -e "$XDG_CONFIG_HOME/orchardia/user.reg" ] || fail "settings were written"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "no action: all checks passed"
