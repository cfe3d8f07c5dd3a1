#!/usr/bin/env bash
# Orchardia in the user's xscreensaver set-up. orchardia --add-to-xscreensaver
# and --remove-from-xscreensaver on ~/.xscreensaver, starting from the daemon's
# real default list: added once, every default kept, removed cleanly, odd files
# refused untouched. Then Debian's xscreensaver-settings, run by an unprivileged
# user whose selected entry is Orchardia, starts it into its preview pane
# (appending --window-id to the entry's --root) and the pane shows the mirrored
# kaleidoscope; the list commands beside it say it must be reopened.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
keep_going=1
defaults=/etc/X11/app-defaults/XScreenSaver

home=$work/home list=$work/home/.xscreensaver
mkdir "$home"
# edit COMMAND: runs orchardia --COMMAND in the test's HOME with no DISPLAY; "CODE LINES" of
# its output (standard output and error together).
edit() { local code=0; HOME=$home env -u DISPLAY "$ORCHARDIA" "--$1" >"$work/said" 2>&1 || code=$?; echo "$code $(wc -l <"$work/said")"; }
# The daemon's default list as a user's file holds it, and that file's
# resource with an entry for orchardia continued onto from the last line.
awk '/^\*programs:/ { on = 1; sub(/^\*/, "") } on { print } on && !/\\$/ { exit }' "$defaults" >"$work/defaults"
{ sed '$s/$/\\/' "$work/defaults"; printf '%s\n' '  GL: orchardia --root \n'; } >"$work/added"
resource() { sed -n '/^programs:/,$p' "$list"; }

# The user's own files beside it, named as temporary files are, are not ours.
echo notes >"$list.tmp" && echo draft >"$list.tmp.backup"
[ "$(edit add-to-xscreensaver)" = "0 1" ] || fail "add to no file: $(cat "$work/said")"
resource | diff -u "$work/added" - >&2 || fail "the new file is not the default list plus orchardia"
[ "$(stat -c %a "$list")" = 644 ] || fail "the new file's mode is $(stat -c %a "$list")"
cp "$list" "$work/first"
[ "$(edit add-to-xscreensaver)" = "0 1" ] && cmp -s "$list" "$work/first" || fail "added twice: $(cat "$work/said")"
[ "$(edit remove-from-xscreensaver)" = "0 1" ] || fail "remove: $(cat "$work/said")"
resource | diff -u "$work/defaults" - >&2 || fail "removing did not give back the default list"

# A file as the settings window writes it: the list ends on a blank continued
# line before the next resource; a disabled orchardia entry counts as one. A
# form feed, a vertical tab and a question mark are text.
{ echo 'mode:		one'; printf '! why?\f\v\n'; sed '$s/$/\\/' "$work/defaults"; printf '\n\npointerHysteresis:	10\n'; } >"$list"
cp "$list" "$work/written"
[ "$(edit add-to-xscreensaver)" = "0 1" ] || fail "add to a written file: $(cat "$work/said")"
cp "$list" "$work/written-added"
[ "$(diff "$work/written" "$list" | grep '^[<>]')" = '>   GL: orchardia --root \n\' ] ||
  fail "not one line added to a written file: $(diff "$work/written" "$list")"
sed -i 's/  GL: orchardia --root/- GL:\t\t\t\torchardia --root --fps/' "$list"
[ "$(edit add-to-xscreensaver)" = "0 1" ] || fail "a disabled entry added again"
[ "$(edit remove-from-xscreensaver)" = "0 1" ] && cmp -s "$list" "$work/written" || fail "removal left $(diff "$work/written" "$list")"
chmod 4600 "$list" && edit add-to-xscreensaver >/dev/null && [ "$(stat -c %a "$list")" = 4600 ] || fail "a private file with its set-user-ID bit made $(stat -c %a "$list")"

# Commands run at once take turns: none fails, and the file ends as the last
# one left it, never torn or listing orchardia twice.
for _ in $(seq 20); do
  pids=()
  for command in add-to remove-from add-to; do
    HOME=$home "$ORCHARDIA" "--$command-xscreensaver" >/dev/null 2>>"$work/racing" &
    pids+=($!)
  done
  wait "${pids[@]}" || true
  cmp -s "$list" "$work/written" || cmp -s "$list" "$work/written-added" || fail "racing commands left $(cat "$list")"
done
[ ! -s "$work/racing" ] || fail "racing commands: $(sort -u "$work/racing")"
[ "$(cat "$list.tmp" "$list.tmp.backup")" = "notes
draft" ] && [ "$(ls -A "$home" | wc -l)" -eq 3 ] || fail "the home folder holds: $(ls -A "$home")"

# refused WHAT: both commands say WHAT is wrong in one line, exit 1 and leave
# the folder exactly as it was.
state() { (cd "$home" && find . -printf '%p %l %m %U %T@\n' && { test -p .xscreensaver || cat .xscreensaver 2>/dev/null; }) | md5sum; }
refused() {
  local command before; before=$(state)
  for command in add-to-xscreensaver remove-from-xscreensaver; do
    [ "$(edit "$command")" = "1 1" ] && grep -q "$1" "$work/said" || fail "$1: --$command said $(cat "$work/said")"
    [ "$(state)" = "$before" ] || fail "$1: --$command changed the folder"
  done
  rm -f "$list" && cp "$work/written" "$list"
}
printf 'mode:\tone\n' >"$list" && refused "no programs: resource"
: >"$list" && refused "no programs: resource"  # an empty file has no last line to lack a newline
printf 'programs: maze --root \\n' >"$list" && refused "does not end with a newline"
sed 's/$/\r/' "$work/written" >"$list" && refused "CRLF"
printf '\x7fELF\2\1\r\n\0programs:\n' >"$list" && refused "not a text file"
printf 'programs:\n\033[31m maze --root\n' >"$list" && refused "not a text file"
printf 'programs:\n\177 maze --root\n' >"$list" && refused "not a text file"  # DEL alone
head -c 1100000 <(yes '! padding') >"$list" && refused "/\.xscreensaver is larger than 1 MiB; nothing written"
# A list command holds the folder's lock while it edits: past 5 seconds of
# another's, it gives up.
(exec 9<"$home" && flock 9 && touch "$work/held" && exec sleep 60) &
holder=$!
wait_for 5 test -e "$work/held" || fail "the lock was not taken"
refused "another program holds the lock" && kill "$holder"
rm "$list" && ln -s "$work/written" "$list" && refused "symbolic link"
rm "$list" && mkfifo "$list" && refused "is not a plain file; edit it by hand"
chmod 444 "$list" && refused "read-only"
if [ "$(id -u)" -eq 0 ]; then chown nobody "$list" && refused "another user"; fi

[ "$(id -u)" -eq 0 ] || { echo "only root makes the settings window's user: preview skipped"; end_checks xscreensaver_settings; }
user=orchardia-set
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user"
chmod 755 "$work" && mkdir -m 755 "$work/bin" && install -m 755 "$ORCHARDIA" "$work/bin/orchardia"
printf 'mode:\t\tone\nselected:\t0\nlock:\t\tFalse\nprograms:\tGL: orchardia --root \\n\n' >"$list"
chown -R "$user" "$home"
start_xvfb 1024x768
# Another program's window is not the settings window.
mkdir -m 700 "$work/other" && { xmessage another & other=$!; }
wait_for 10 xdotool search --classname '^xmessage$' >/dev/null || fail "xmessage did not start"
HOME=$work/other "$ORCHARDIA" --add-to-xscreensaver >"$work/said" 2>&1 && ! grep -q settings "$work/said" ||
  fail "another window taken for xscreensaver-settings: $(cat "$work/said")"
kill "$other" && rm "$work/other/.xscreensaver"
as_user() { runuser -u "$user" -- env DISPLAY="$DISPLAY" HOME="$home" PATH="$work/bin:$PATH" "$@"; }
chmod 0 "$list" && ! as_user env DISPLAY= orchardia --add-to-xscreensaver 2>"$work/said" && chmod 644 "$list" &&
  grep -q "/\.xscreensaver cannot be read: Permission denied; nothing written" "$work/said" || fail "unreadable: $(cat "$work/said")"
# A daemon keeps the settings window from asking to start one over its preview.
as_user xscreensaver --no-splash --log "$home/daemon.log" &
wait_for 15 as_user xscreensaver-command -time >/dev/null 2>&1 || fail "the daemon did not start"
as_user xscreensaver-settings 2>"$work/settings.log" &

saver_command() { pgrep -u "$user" -a -x orchardia | cut -d' ' -f2-; }
previewing() { [[ "$(saver_command)" =~ ^orchardia\ --root\ --window-id\ 0x[0-9A-Fa-f]+$ ]]; }
wait_for 30 previewing || fail "no orchardia --root --window-id 0x...: $(saver_command) $(cat "$work/settings.log")"
# (xwininfo and import without a window wait for a click on one)
pane() { xdotool search --name '^XScreenSaver Settings Preview$' 2>/dev/null | head -1 | grep .; }
saver_in_pane() { pane >/dev/null && xwininfo -id "$(pane)" -children | awk '/"SaverWindow"/{print $1}' | grep .; }
wait_for 15 saver_in_pane >/dev/null || fail "no saver window in the preview pane"
# A loaded machine takes its time over the first frames, and a frame of a
# wedge transition or with only a few small sprites is less symmetric: a
# mirrored frame within 20 seconds (a plain one is never symmetric).
shot() {
  import -window "$(saver_in_pane || echo root)" "$work/pane.png" &&
    shows_sprites "$work/pane.png" && looks_mirrored "$work/pane.png"
}
for _ in $(seq 20); do sleep 1; ! shot || break; done
check_picture pane mirrored

# With the settings window open the list commands still do their work, and say
# it must be reopened: found as the user's process (no display), or on the display.
for row in "user remove-from-xscreensaver" "user add-to-xscreensaver" "root add-to-xscreensaver"; do
  read -r how command <<<"$row"
  if [ "$how" = root ]; then HOME=$work/other "$ORCHARDIA" "--$command" >"$work/said" 2>&1; else
    as_user env DISPLAY= orchardia "--$command" >"$work/said" 2>&1; fi
  grep -q "xscreensaver-settings is open: close it and open it again" "$work/said" || fail "--$command, $how: $(cat "$work/said")"
done
[ -z "$(grep -L "GL: orchardia --root" "$list" "$work/other/.xscreensaver")" ] || fail "the list commands beside the settings window changed nothing"
HOME=$work/other DISPLAY= "$ORCHARDIA" --remove-from-xscreensaver >"$work/said" 2>&1 && ! grep -q settings "$work/said" ||
  fail "another user's xscreensaver-settings counted: $(cat "$work/said")"
as_user xscreensaver-command -exit >/dev/null 2>&1 || true
end_checks xscreensaver_settings
