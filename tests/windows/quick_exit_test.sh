#!/usr/bin/env bash
# Command lines that run no dialog and no saver end at once with exit code 0:
# unknown switches, a doubled switch character, a preview whose parent handle
# names no window, and the password change, whose platform routine (MPR.DLL's
# PwdChangePasswordA) returns at once under Wine.
source "$(dirname "$0")/wine_lib.sh"

for arguments in "/x" "//s" "foo" "/p 1234567" "/a" "/a:5678"; do
  start=$SECONDS
  code=0
  # shellcheck disable=SC2086  # the arguments are split as a shell would
  timeout 30 "$WINE" "$ORCHARDIA_SCR" $arguments || code=$?
  [ "$code" -eq 0 ] || fail "'$arguments' ended with exit code $code"
  [ $((SECONDS - start)) -lt 15 ] || fail "'$arguments' took $((SECONDS - start)) s"
  echo "'$arguments': exit code 0 after $((SECONDS - start)) s"
done
