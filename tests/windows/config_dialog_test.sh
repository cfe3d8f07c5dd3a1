#!/usr/bin/env bash
# "/c" shows the configuration dialog with the focus on OK, its check box
# showing the stored setting; Tab Tab Space Enter (the focus starts on OK)
# toggles it and stores the new setting as a REG_DWORD; Esc stores nothing.
source "$(dirname "$0")/wine_lib.sh"

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

# The dialog as built is compared with its design by resources_test.sh; here,
# that the live dialog starts with the focus on OK (control 1).
check_focus() {
  describe_dialog
  grep -q '^dialog "Config dialog" .* focus 1$' <<<"$DESCRIPTION" || fail "the initial focus is not on OK"
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
check_focus
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
