#!/usr/bin/env bash
# Switches the program does not know do nothing: exit code 0 at once, and no
# window is ever created, not even for a moment. The same for a Linux option
# that is refused or names nothing to draw into, which says why in one line on
# standard error and exits with 1.
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
keep_going=1
start_xvfb 1280x1024

top_level_windows() { xwininfo -root -children | grep -E '^ +0x' | sort; }

# Every window created on the root from here on is logged; a probe window
# shows when the watcher is listening.
xev -root -event substructure >"$work/events" &
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

# refused EXPECTED-WORDS [VARIABLE=VALUE...] -- ARGUMENTS...
refused() {
  local words=$1; shift
  local environment=()
  while [ "$1" != "--" ]; do environment+=("$1"); shift; done
  shift
  timeout 10 env "${environment[@]}" "$ORCHARDIA" "$@" 2>"$work/stderr"
  local rc=$?
  [ "$rc" -eq 1 ] || fail "orchardia $*: exit code $rc"
  [ "$(wc -l <"$work/stderr")" -eq 1 ] && grep -qF -- "$words" "$work/stderr" ||
    fail "orchardia $*: expected one line about '$words' on stderr, got: $(cat "$work/stderr")"
}
refused "no window has the id" -- --window-id 0x1ffff00
refused "-window-id is not a window id" -- -window-id 12abc
refused "needs a window id" -- --window-id
refused "XSCREENSAVER_WINDOW is not a window id" XSCREENSAVER_WINDOW= -- --root
refused "XSCREENSAVER_WINDOW is not a window id" XSCREENSAVER_WINDOW=screen -- -root
refused "no window has the id 0x1ffff00;" XSCREENSAVER_WINDOW=0x1ffff00 -- --root
refused "no window has the id 0x1ffff00;" -- --no-mirrors --mirrors --window-id 0x1ffff00
refused "unknown option --bogus; see orchardia --help" -- --bogus
refused "unexpected argument \"/s\"" -- --root /s
refused "no window has the id 0x1ffff00;" XSCREENSAVER_WINDOW=0x1ffff11 -- --root --window-id 0x1ffff00
refused "--add-to-xscreensaver takes no other arguments" -- --add-to-xscreensaver --fps
refused "DISPLAY is not set" DISPLAY= -- --root
refused "DISPLAY is not set" DISPLAY= -- --window
refused "DISPLAY is not set" DISPLAY= -- --fps
refused "--help takes no other arguments" -- --help extra
refused "needs WIDTHxHEIGHT in pixels" -- -window -geometry 800

# --help and --version answer on standard output, with one dash or two.
for line in "--help" "-h" "-help" "--version" "-version"; do
  # shellcheck disable=SC2086
  timeout 10 "$ORCHARDIA" $line >"$work/stdout" 2>"$work/stderr"
  rc=$?
  [ "$rc" -eq 0 ] && [ ! -s "$work/stderr" ] || fail "orchardia $line: exit code $rc, stderr: $(cat "$work/stderr")"
  case $line in
    *-h*) grep -q "man 6 orchardia" "$work/stdout" || fail "orchardia $line: no usage: $(cat "$work/stdout")" ;;
    *) [ "$(cat "$work/stdout")" = "orchardia 1.0" ] || fail "orchardia $line printed: $(cat "$work/stdout")" ;;
  esac
done

sleep 0.5
grep -aq CreateNotify "$work/events" && fail "a window was created: $(grep -a -A2 CreateNotify "$work/events")"
[ "$(top_level_windows)" = "$before" ] || fail "the top-level windows changed"
[ ! -e "$XDG_CONFIG_HOME/orchardia/user.reg" ] || fail "settings were written"

end_checks "no action"
