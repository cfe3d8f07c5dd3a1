#!/usr/bin/env bash
# Under Debian's xscreensaver daemon: activated, Orchardia draws into the
# daemon's window; deactivated, it ends with no error. The daemon refuses to
# run as root, so it runs as an unprivileged user that this test creates.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
command -v xscreensaver >/dev/null || fail "xscreensaver is not installed"
if [ "$(id -u)" -ne 0 ]; then echo "needs root to create the daemon's user; skipped"; exit 77; fi

user=orchardia-xss
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)
chmod 755 "$work"
mkdir -m 777 "$work/shared"
install -m 755 "$ORCHARDIA" "$work/shared/orchardia"
cat > "$home/.xscreensaver" <<CONFIG
mode:		one
selected:	0
lock:		False
splash:		False
fade:		False
unfade:		False
dpmsEnabled:	False
timeout:	1:00:00
programs:	GL: $work/shared/orchardia --root \\n\\
		GL: $work/shared/orchardia --root --no-mirrors \\n
CONFIG
chown "$user" "$home/.xscreensaver"

start_xvfb 800x600
as_user() { runuser -u "$user" -- env DISPLAY="$DISPLAY" HOME="$home" PATH="$work/shared:$PATH" "$@"; }
# The user's own settings: mirrors on, as the first entry expects.
settings=$home/.config/orchardia/user.reg
as_user mkdir -p "${settings%/*}"
settings_text 1 | as_user tee "$settings" >"$work/user.reg"
as_user xscreensaver --no-splash --verbose --log "$work/shared/daemon.log" &
daemon_ready() { as_user xscreensaver-command -time >/dev/null 2>&1; }
wait_for 15 daemon_ready || fail "the daemon did not start: $(tail -5 "$work/shared/daemon.log")"

entry_pid() { pgrep -u "$user" -f "$work/shared/orchardia $1" | head -1; }
entry_runs() { [ -n "$(entry_pid "$1")" ]; }
# daemon_draws NAME mirrored|plain ARGUMENTS COMMAND...: xscreensaver-command
# COMMAND starts the entry "orchardia ARGUMENTS"; its picture is checked, and
# -deactivate ends it.
daemon_draws() {
  as_user xscreensaver-command "${@:4}" >/dev/null
  wait_for 15 entry_runs "$3" || fail "the daemon did not start orchardia $3: $(tail -5 "$work/shared/daemon.log")"
  local pid; pid=$(entry_pid "$3")
  shoot "$1" 4 "$2"
  check_picture "$1" "$2"
  as_user xscreensaver-command -deactivate >/dev/null
  wait_for 10 stopped "$pid" || fail "orchardia $3 still running after deactivation"
}
daemon_draws daemon mirrored --root -activate

# The settings page's "Use mirrors" cleared: the second entry, with --no-mirrors,
# draws without mirrors for that run and leaves the user's settings file alone.
daemon_draws no-mirrors plain "--root --no-mirrors" -select 2
cmp -s "$work/user.reg" "$settings" || fail "--no-mirrors changed the settings file"

# The list commands while the daemon runs: it reads the file again when it
# activates, so the one entry left, the one just added, runs.
as_user orchardia --remove-from-xscreensaver >/dev/null && as_user orchardia --add-to-xscreensaver >/dev/null
added_started() { pgrep -u "$user" -fx "orchardia --root" >/dev/null; }
as_user xscreensaver-command -select 1 >/dev/null
wait_for 15 added_started || fail "the daemon did not run the entry just added: $(tail -5 "$work/shared/daemon.log")"
# Drawing before the daemon exits: a window gone while the saver still starts
# up would rightly be named in the log.
wait_for 10 has_saver_window || fail "the entry just added shows no window"

as_user xscreensaver-command -exit >/dev/null 2>&1 || true
# Orchardia's standard error goes to the daemon's log: every line must be the
# daemon's own (its name first, or its indented banner).
if grep -vE '^(xscreensaver[-a-z]*: |#|\s|$)' "$work/shared/daemon.log" ||
  grep -E "abnormal|signal (6|11)|core dumped" "$work/shared/daemon.log"; then
  fail "errors in the daemon's log"
fi
echo "xscreensaver: ok"
