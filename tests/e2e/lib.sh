# shellcheck shell=bash
# Sourced by the end-to-end tests. Each test runs on an X server of its own
# (a full-screen run grabs keyboard and pointer, and the dialog tests watch the
# focus: neither may disturb tests running beside them), keeps its settings in
# its work folder, and ends every program it started when it exits.
# Needs ORCHARDIA (the built program) and ORCHARDIA_BUILD (the build folder).

: "${ORCHARDIA:?set by ctest}" "${ORCHARDIA_BUILD:?set by ctest}"
# shellcheck source=tools/private_xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/private_xvfb.sh"
export XDG_CONFIG_HOME=$work/config
# Standard error is checked line by line: a sanitizer build keeps its summary of
# suppressed leaks to itself.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"

# fail MESSAGE: a check failed. The test ends here; one that sets keep_going=1
# goes on checking instead, and `end_checks` fails it.
keep_going=
failures=0
fail() {
  echo "FAIL: $*" >&2
  [ -n "$keep_going" ] || exit 1
  failures=$((failures + 1))
}

# end_checks NAME: ends the test, failed if any check was.
end_checks() {
  [ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
  echo "$1: all checks passed"
}

running() { kill -0 "$1" 2>/dev/null; }
stopped() { ! running "$1"; }

# has_focus WINDOW: the window holds the keyboard focus.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# The saver window's id (decimal), once it is mapped.
saver_window() { xdotool search --onlyvisible --name '^SaverWindow$' 2>/dev/null | head -1; }
has_saver_window() { [ -n "$(saver_window)" ]; }

# geometry ID: "X Y WIDTH HEIGHT" relative to the window's parent.
geometry() {
  xwininfo -id "$1" | awk '/Relative upper-left X/{x=$4} /Relative upper-left Y/{y=$4}
                           /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# expect_exit PID CODE WHAT: the process ends by itself (within 10 s) with that
# code; one still running is ended.
expect_exit() {
  if ! wait_for 10 stopped "$1"; then
    fail "$3: still running"
    kill "$1"
  fi
  local code=0
  wait "$1" || code=$?
  [ "$code" -eq "$2" ] || fail "$3: exit code $code, expected $2"
}

# The sprite and mirror detectors, shared with the Windows tests.
# shellcheck source=tests/e2e/picture.sh
source "$(dirname "${BASH_SOURCE[0]}")/picture.sh"

# settings_text MIRRORS: a settings file that stores "UseMirrors" as that DWORD.
settings_text() {
  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver]\n"UseMirrors"=dword:%08x\n' "$1"
}

# write_settings MIRRORS: the test's settings file holds just that "UseMirrors".
write_settings() {
  mkdir -p "$XDG_CONFIG_HOME/orchardia"
  settings_text "$1" >"$XDG_CONFIG_HOME/orchardia/user.reg"
}

# shoot NAME SECONDS [mirrored|plain]: after SECONDS more of drawing, the screen
# goes to $work/NAME.png; shot again for a few seconds while it shows no sprites
# yet (a loaded machine starts slowly, a daemon fades in) or, given a kind, is
# not that kind yet (a wedge transition is lopsided for up to 2 s).
shoot() {
  sleep "$2"
  if shoot_until root "$work/$1.png" shot_is "${3:-}"; then checked_shot="$1 ${3:-}"; fi
}
# shot_is KIND PNG: the picture shows sprites and, given a kind, is that kind.
shot_is() {
  shows_sprites "$2" || return 1
  case $1 in mirrored) looks_mirrored "$2" ;; plain) ! looks_mirrored "$2" ;; esac
}

# run_and_shoot NAME [ARGUMENT...]: orchardia /s (or the arguments) draws for
# 3 s (--root on the root window itself: no saver window to wait for), is shot
# (shoot, of the kind $shot_kind names if set) and ends with exit code 0 on
# SIGTERM; its standard error goes to $work/stderr.
run_and_shoot() {
  if [ $# -gt 1 ]; then "$ORCHARDIA" "${@:2}" 2>>"$work/stderr" & else "$ORCHARDIA" /s 2>>"$work/stderr" & fi
  local saver=$!
  [ "${2:-}" = --root ] || wait_for 10 has_saver_window || fail "$1: no saver window"
  shoot "$1" 3 "${shot_kind:-}"
  kill -TERM "$saver"
  expect_exit "$saver" 0 "$1: SIGTERM"
}

# run_and_check NAME mirrored|plain [ARGUMENT...]: run_and_shoot, shot until it
# is that kind, then check_picture.
run_and_check() {
  shot_kind=$2 run_and_shoot "$1" "${@:3}"
  check_picture "$1" "$2"
}

# check_picture NAME mirrored|plain: $work/NAME.png shows sprites, mirrored or not.
check_picture() {
  local png=$work/$1.png
  [ "${checked_shot:-}" != "$1 $2" ] || return 0
  shows_sprites "$png" || fail "$1: no sprites ($(sprite_detail "$png")% outline)"
  if [ "$2" = mirrored ]; then
    looks_mirrored "$png" || fail "$1: mirrors on, but not symmetric (asymmetry $(mirror_asymmetry "$png"))"
  else
    ! looks_mirrored "$png" || fail "$1: mirrors off, but symmetric (asymmetry $(mirror_asymmetry "$png"))"
  fi
}

# start_parent W H: a plain window (background 51,102,153) that goes away when
# its control pipe (descriptor 3) closes; sets parent and parent_pid.
start_parent() {
  rm -f "$work/ctl" "$work/parent"
  mkfifo "$work/ctl"
  "$ORCHARDIA_BUILD/tests/helpers/xparent/xparent" "$1" "$2" <"$work/ctl" >"$work/parent" &
  parent_pid=$!
  exec 3>"$work/ctl"
  wait_for 10 test -s "$work/parent" || fail "no parent window"
  parent=$(cat "$work/parent")
}

# pixel PNG X Y: the pixel there as "R,G,B" (0-255).
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# covers_corners PNG BACKGROUND: no corner pixel is the background ("R,G,B"):
# the saver's gradient reaches every corner.
covers_corners() {
  local w h
  read -r w h < <(identify -format '%w %h' "$1")
  for point in "2 2" "$((w - 3)) 2" "2 $((h - 3))" "$((w - 3)) $((h - 3))"; do
    [ "$(pixel "$1" $point)" != "$2" ] || return 1
  done
}

# centred_height PNG: the sharp edges in the picture's middle two fifths (clear
# of the banner) span rows centred on its centre line to within 5% of its
# height, as they are not in a viewport left at an older height.
centred_height() {
  convert "$1" -gravity Center -crop 40%x100%+0+0 +repage "${edge_map[@]}" -format '%@ %h' info: |
    awk -F '[x+ ]' '{ d = $4 + $2 / 2 - $5 / 2; exit !($2 > 0 && d * d <= $5 * $5 / 400) }'
}

# shot_fills WINDOW WHAT: the saver's picture covers the window to its corners
# (none shows the background of 51,102,153), mirrored about its centre line and
# centred on its height. A kaleidoscope of an odd number of wedge pairs is not
# symmetric top to bottom and its edges can sit off centre for several seconds,
# so the height is given 15 s; a viewport left at an older height stays off.
fills_mirrored() { covers_corners "$1" 51,102,153 && looks_mirrored "$1"; }
shot_fills() {
  shoot_until "$1" "$work/shot.png" fills_mirrored ||
    fail "$2: picture not filling and centred (asymmetry $(mirror_asymmetry "$work/shot.png"))"
  local until=$((SECONDS + 15))
  until centred_height "$work/shot.png"; do
    [ "$SECONDS" -lt "$until" ] || fail "$2: picture off the centre of its height"
    sleep 0.3
    import -window "$1" "$work/shot.png"
  done
}

# term_at_start PROGRAM ARGS...: runs it with SIGTERM already sent, kept pending
# (blocked) across exec until the program takes it: a daemon stopping its saver
# at the very moment it started it. Run it in the background; $! is the program.
term_at_start() {
  perl -MPOSIX -e 'sigprocmask(SIG_BLOCK, POSIX::SigSet->new(SIGTERM)); kill "TERM", $$; exec @ARGV or exit 127' "$@"
}

# end_early PID HOW DELAY: DELAY seconds after the program opened its X
# connection (a socket), kills the X server (HOW=server) or sends the program
# the signal HOW (TERM, SEGV, ...).
end_early() {
  for _ in $(seq 3000); do
    [ -z "$(find "/proc/$1/fd" -lname 'socket:*' 2>/dev/null | head -1)" ] || break
    running "$1" || return 0
  done
  sleep "$3"
  if [ "$2" = server ]; then kill "$xvfb_pid"; else kill -"$2" "$1"; fi
}

# start_openbox: the window manager runs (and has had a moment to settle), as $openbox_pid.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
start_openbox() {
  openbox >/dev/null 2>&1 &
  openbox_pid=$!
  wait_for 10 wm_running && sleep 1 || fail "openbox did not start"
}

# The root window's id, in decimal.
root_id() { xwininfo -root | awk '/Window id:/{print $4}' | xargs printf '%d'; }
