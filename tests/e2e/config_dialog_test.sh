#!/usr/bin/env bash
# The configuration dialog of the built program, driven with xdotool under the
# suite's Xvfb: its window, its check box, and what each way out of it stores.
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
: "${ORCHARDIA_SOURCE:?the source directory}"
keep_going=1
start_xvfb 1280x1024
store=$XDG_CONFIG_HOME/orchardia/user.reg
send_close=$ORCHARDIA_BUILD/test-helpers/send_close_request

# 228 x 102 dialog units at 6 x 13 pixels per 4 x 8 units, rounded.
width=$(( (228 * 6 + 2) / 4 ))
height=$(( (102 * 13 + 4) / 8 ))

clear_store() { rm -rf "$XDG_CONFIG_HOME"; }

# Starts the program and waits until its dialog is up and holds the keyboard
# focus; sets pid and win.
open_dialog() {
  "$ORCHARDIA" "$@" 2>"$work/stderr" &
  pid=$!
  win=$(timeout 10 xdotool search --sync --onlyvisible --name '^Config dialog$' 2>/dev/null | head -n 1)
  if [ -z "$win" ]; then
    fail "no dialog for: orchardia $*"
    return 1
  fi
  wait_for 5 has_focus "$win" && return 0
  fail "the dialog did not take the keyboard focus"
  return 1
}

# "yes" or "no": whether the check box shows its tick, from dark pixels in its
# white 9 x 9 interior at (16, 26); waits until the box has been painted.
tick_shown() {
  local shot=$work/shot.png brightest darkest
  for _ in $(seq 50); do
    if import -window "$win" "$shot" 2>/dev/null; then
      read -r brightest darkest < <(convert "$shot" -crop 9x9+16+26 -colorspace gray \
        -format '%[fx:maxima] %[fx:minima]\n' info:)
      if awk -v b="$brightest" 'BEGIN { exit !(b > 0.95) }'; then
        awk -v d="$darkest" 'BEGIN { print (d < 0.5) ? "yes" : "no" }'
        return
      fi
    fi
    sleep 0.1
  done
  echo "unpainted"
}

expect_stored() {
  grep -Eq "^\"UseMirrors\"=dword:$1"$'\r?$' "$store" 2>/dev/null ||
    fail "$2: expected \"UseMirrors\"=dword:$1 in user.reg, found: $(cat "$store" 2>/dev/null)"
}

expect_tick() {
  local shown
  shown=$(tick_shown)
  [ "$shown" = "$1" ] || fail "tick shown: $shown, expected $1 ($2)"
}

# The window: its title and size; with no settings the box starts ticked; Tab
# Tab Space Enter clears it and stores 0.
clear_store
if open_dialog; then
  read -r w h < <(xwininfo -id "$win" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  [ "${w}x$h" = "${width}x$height" ] || fail "dialog size ${w}x$h, expected ${width}x$height"
  expect_tick yes "no settings"
  xdotool key --delay 40 Tab Tab space Return
  expect_exit "$pid" 0 "Tab Tab Space Enter"
  expect_stored 00000000 "Tab Tab Space Enter"
fi

# A stored 0 starts clear; Space on OK (the first focus) stores it unchanged.
write_settings 0
if open_dialog; then
  expect_tick no "stored"
  xdotool key space
  expect_exit "$pid" 0 "Space on OK"
  expect_stored 00000000 "Space on OK with 0 stored"
fi

# A value other than 0 or 1 shows as ticked, as the saver treats it as on.
write_settings 7
if open_dialog; then
  expect_tick yes "stored"
  xdotool key Return
  expect_exit "$pid" 0 "Enter"
  expect_stored 00000001 "Enter with 7 stored"
fi

clear_store
if open_dialog; then
  xdotool key space
  expect_exit "$pid" 0 "Space on OK"
  expect_stored 00000001 "Space on OK with no settings"
fi

# The mouse: a click on the box clears it, a click on OK stores it.
clear_store
if open_dialog; then
  xdotool mousemove --window "$win" 30 31 click 1
  expect_tick no "clicked"
  xdotool mousemove --window "$win" 295 18 click 1
  expect_exit "$pid" 0 "clicks"
  expect_stored 00000000 "click on the box, click on OK"
fi

# OK that cannot store: a box over the dialog names the file and why, and the
# dialog then ends as OK does. (The settings folder is a file: root ignores modes.)
clear_store
mkdir -p "$XDG_CONFIG_HOME" && echo x >"$XDG_CONFIG_HOME/orchardia"
if open_dialog; then
  xdotool key Return
  box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Orchardia$' 2>/dev/null | head -n 1)
  if [ -z "$box" ]; then
    fail "no message box after a failed save"
  else
    [[ "$(xprop -id "$box" WM_TRANSIENT_FOR)" == *"$(printf '0x%x' "$win")"* ]] || fail "the box is not the dialog's"
    wait_for 5 has_focus "$box" || fail "the box did not take the focus"
    kill -0 "$pid" 2>/dev/null || fail "the dialog ended before the box was read"
    xdotool key Return
  fi
  expect_exit "$pid" 0 "OK with a failed save"
  grep -q "^Orchardia: Use Mirrors was not saved: .*/orchardia/user.reg: ..." "$work/stderr" ||
    fail "the failed save was not told: $(cat "$work/stderr")"
fi
rm -f "$XDG_CONFIG_HOME/orchardia"

# Esc, the window manager's close, the window's destruction and SIGTERM store
# nothing, even after the box was toggled.
for way in escape close destroy TERM; do
  for settings in none stored; do
    if [ "$settings" = none ]; then clear_store; else write_settings 0; fi
    cp "$store" "$work/before" 2>/dev/null || rm -f "$work/before"
    open_dialog || continue
    xdotool key Tab Tab space
    if [ "$settings" = none ]; then expect_tick no "toggled"; else expect_tick yes "stored"; fi
    case $way in
      escape) xdotool key Escape ;;
      close) "$send_close" "$win" ;;
      destroy) xdotool windowclose "$win" ;;
      TERM) kill -s TERM "$pid" ;;
    esac
    expect_exit "$pid" 0 "$way"
    if [ -e "$work/before" ]; then
      cmp -s "$work/before" "$store" || fail "$way changed user.reg"
    elif [ -e "$store" ]; then
      fail "$way created user.reg"
    fi
  done
done

# An owner that names no window: nothing shown, one line on standard error.
clear_store
timeout 10 "$ORCHARDIA" /c 999999 2>"$work/stderr"
rc=$?
[ "$rc" -eq 0 ] || fail "/c 999999: exit code $rc"
[ "$(wc -l <"$work/stderr")" -eq 1 ] && grep -q 999999 "$work/stderr" ||
  fail "/c 999999: expected one line naming the window, got: $(cat "$work/stderr")"
[ -z "$(xdotool search --onlyvisible --name '^Config dialog$' 2>/dev/null)" ] || fail "/c 999999 showed a dialog"
[ ! -e "$store" ] || fail "/c 999999 stored settings"

# No display, or one that cannot be reached: one line on standard error naming
# it, exit code 0, whichever way the dialog is asked for.
for display in "" :987; do
  environment=(-u DISPLAY) why="no X display (DISPLAY is not set)"
  [ -z "$display" ] || environment=(DISPLAY="$display") why="cannot open the X display \"$display\""
  for args in "" /c /c:0; do
    # shellcheck disable=SC2086
    env "${environment[@]}" timeout 10 "$ORCHARDIA" $args 2>"$work/stderr"
    rc=$?
    [ "$rc" -eq 0 ] && [ "$(cat "$work/stderr")" = "orchardia: cannot show the configuration dialog: $why" ] ||
      fail "DISPLAY=$display orchardia $args: exit code $rc, said: $(cat "$work/stderr")"
  done
done

# A real owner, named on the command line or found as the focused window: the
# dialog is transient for it and centred on it.
xev -name dialog-owner -geometry 600x400+40+30 >/dev/null &
owner_pid=$!
owner_win=$(timeout 10 xdotool search --sync --onlyvisible --name '^dialog-owner$' | head -n 1)
xdotool windowfocus --sync "$owner_win"
# xwininfo places a window by the outer corner of its border.
read -r ox oy ow oh < <(xwininfo -id "$owner_win" |
  awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 }
       /Height:/ { h = $2 } /Border width:/ { b = $3 } END { print x + b, y + b, w, h }')
for args in "/c $owner_win" "/c"; do
  # shellcheck disable=SC2086
  open_dialog $args || continue
  transient=$(xprop -id "$win" WM_TRANSIENT_FOR)
  [[ "$transient" == *"$(printf '0x%x' "$owner_win")"* ]] || fail "orchardia $args: not transient for the owner: $transient"
  read -r dx dy < <(xwininfo -id "$win" |
    awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
  [ $((dx - ox - (ow - width) / 2)) -eq 0 ] && [ $((dy - oy - (oh - height) / 2)) -eq 0 ] ||
    fail "orchardia $args: dialog at $dx,$dy is not centred on the owner at $ox,$oy ${ow}x$oh"
  xdotool key Escape
  expect_exit "$pid" 0 "Esc with owner"
  xdotool windowfocus --sync "$owner_win"
done

# Under a window manager with nothing focused (its helper window has the focus)
# the dialog has no owner: its frame is centred on the screen.
kill "$owner_pid"
start_openbox
open_dialog /c || fail "no dialog under openbox"
xwininfo -id "$win" | awk -v x=$(((1280 - width) / 2)) -v y=$(((1024 - height) / 2)) '/Absolute upper-left X/ { x = $4 - x }
  /Absolute upper-left Y/ { y = $4 - y } END { exit !(x >= 0 && x < 30 && y >= 0 && y < 30) }' || fail "/c under openbox: not centred"
xdotool key Escape
expect_exit "$pid" 0 "Esc under openbox"

# A window manager that died leaves the root naming its helper and the active
# window; once that window is gone too, the dialog has no owner.
xev -name gone-owner >/dev/null &
gone_pid=$!
timeout 10 xdotool search --sync --onlyvisible --name '^gone-owner$' >/dev/null
kill "$openbox_pid" "$gone_pid" && sleep 1
open_dialog /c && xdotool key Escape && expect_exit "$pid" 0 "Esc, the active window gone" ||
  fail "/c with the active window gone: no dialog"

end_checks "config dialog"
