#!/usr/bin/env bash
# "/c" shows the configuration dialog laid out as designed, its check box
# showing the stored setting; Tab Tab Space Enter (the focus starts on OK)
# toggles it and stores the new setting as a REG_DWORD; Esc stores nothing.
source "$(dirname "$0")/wine_lib.sh"

# class id text style, then x y width height in dialog units (text "*": any non-empty line).
expected_controls='Button 1 OK 50010001 172 4 50 14
Button 2 Cancel 50010000 172 23 50 14
Static -1 * 50020000 7 78 100 8
Static -1 * 50020000 7 55 53 8
Static -1 * 50020000 7 63 49 8
Button 1001 Use_Mirrors 50010003 9 14 52 10
Static -1 Version_1.0 50020000 7 34 36 8'

open_dialog() {
  "$WINE" "$ORCHARDIA_SCR" /c &
  SAVER_PID=$!
  DIALOG_WINDOW=$(wait_for_window "Config dialog" 30) || fail "no dialog window appeared"
  xdotool windowfocus --sync "$DIALOG_WINDOW"
}

close_dialog_with() {
  xdotool key --delay 100 "$@"
  wait_for_exit "$SAVER_PID" 15 || fail "the dialog did not close on: $*"
  [ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE after: $*"
}

# Compares the probe's description of the live dialog with the table above; positions within a
# pixel of the dialog units scaled by the dialog's own size (228 x 102 units).
check_layout() {
  describe_dialog
  awk -v expected="$expected_controls" '
    function near(pixels, units, scale) { d = pixels - units * scale; return d >= -1.5 && d <= 1.5 }
    BEGIN { n = split(expected, rows, "\n") }
    /^dialog / {
      if ($0 !~ /^dialog "Config dialog" /) { print "caption: " $0; bad = 1 }
      sx = $(NF - 3) / 228; sy = $(NF - 2) / 102
      if ($NF != 1) { print "initial focus on control " $NF ", not OK"; bad = 1 }
      next
    }
    /^control / {
      i++
      split(rows[i], want, " ")
      match($0, /"[^"]*"/); text = substr($0, RSTART + 1, RLENGTH - 2); gsub(/ /, "_", text)
      $0 = substr($0, 1, RSTART - 1) "TEXT" substr($0, RSTART + RLENGTH)
      ok = $2 == want[1] && $3 == want[2] && $5 == want[4] && (want[3] == "*" ? text != "" : text == want[3])
      ok = ok && near($6, want[5], sx) && near($7, want[6], sy) && near($8, want[7], sx) && near($9, want[8], sy)
      if (!ok) { print "control " i ": got " $0 " (" text "), want " rows[i]; bad = 1 }
    }
    END {
      if (i != n) { print i " controls, want " n; bad = 1 }
      exit bad
    }' <<<"$DESCRIPTION" || fail "the dialog does not match its design"
}

describe_dialog() {
  DESCRIPTION=$("$WINE" "$DIALOG_PROBE" "Config dialog" | tr -d '\r') || fail "the probe found no dialog"
  echo "$DESCRIPTION"
}

# The "Use Mirrors" box shows $1 (0 clear, 1 ticked).
check_box_shows() {
  grep -q "^check 1001 $1\$" <<<"$DESCRIPTION" || fail "the check box does not show $1"
}

reset_settings
open_dialog
check_layout
check_box_shows 1
close_dialog_with Tab Tab space Return
[[ "$(stored_mirrors)" =~ UseMirrors[[:space:]]+REG_DWORD[[:space:]]+0x0$ ]] ||
  fail "Tab Tab Space Enter stored: '$(stored_mirrors)', want UseMirrors REG_DWORD 0x0"

open_dialog
describe_dialog
check_box_shows 0
close_dialog_with Tab Tab space Return
[[ "$(stored_mirrors)" =~ UseMirrors[[:space:]]+REG_DWORD[[:space:]]+0x1$ ]] ||
  fail "Tab Tab Space Enter over a stored 0 stored: '$(stored_mirrors)', want UseMirrors REG_DWORD 0x1"

reset_settings
open_dialog
close_dialog_with Escape
[ -z "$(stored_mirrors)" ] || fail "Esc stored: '$(stored_mirrors)'"
echo "dialog, OK and Cancel behave"
