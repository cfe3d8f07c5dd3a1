#!/usr/bin/env bash
# The installer: a 64-bit program that asks for administrator rights and
# carries the program's version and icon. In a fresh prefix of its own, /S
# installs Orchardia.scr into the 64-bit System32 with its Apps entry and makes
# it the current saver; a second install upgrades in place, also while the
# saver runs; the installed file runs; the quiet uninstall removes file, entry
# and SCRNSAVE.EXE and keeps UseMirrors. An uninstall after the file was
# deleted by hand succeeds and leaves a SCRNSAVE.EXE naming another saver alone.
source "$(dirname "$0")/wine_lib.sh"

installer=$ORCHARDIA_INSTALLER
[ "$(basename "$installer")" = "Orchardia-1.0-setup.exe" ] || fail "the installer is named $(basename "$installer")"

"$OBJDUMP" -f "$installer" | grep -q 'file format pei-x86-64' || fail "the installer is not a 64-bit program"
"$WRESTOOL" -x --raw -t24 "$installer" | grep -q 'level="requireAdministrator"' ||
  fail "the installer does not ask for administrator rights"
for key in FILEVERSION PRODUCTVERSION CompanyName LegalCopyright ProductName FileVersion ProductVersion; do
  saver_line=$(version_info "$ORCHARDIA_SCR" | grep -E "^ *(VALUE \"$key\"|$key )")
  setup_line=$(version_info "$installer" | grep -E "^ *(VALUE \"$key\"|$key )")
  [ -n "$saver_line" ] && [ "$saver_line" = "$setup_line" ] || fail "the installer's $key is '$setup_line', the program's '$saver_line'"
done
for image in 1 2; do
  cmp -s <("$WRESTOOL" -x --raw -t3 -n$image "$ORCHARDIA_SCR") <("$WRESTOOL" -x --raw -t3 -n$image "$installer") ||
    fail "icon image $image of the installer is not the program's"
done

export WINEPREFIX=$ORCHARDIA_BUILD/tests/windows/installer-prefix
rm -rf "$WINEPREFIX"
stop_prefix() {
  stop_saver
  "$WINESERVER" -k 2>/dev/null || true
}
trap stop_prefix EXIT
"$WINE" wineboot -i >/dev/null 2>&1

system32=$WINEPREFIX/drive_c/windows/system32
program_dir=$WINEPREFIX/drive_c/Program\ Files/Orchardia
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orchardia'
desktop_key='HKCU\Control Panel\Desktop'

# Prints "TYPE DATA" of value $2 under key $1, or nothing when it is not there.
reg_value() {
  "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $2    \(REG_[A-Z_]*\)    \(.*\)\$/\1 \2/p"
}

# Prints every value of key $1 (not of its subkeys) as "NAME=TYPE DATA", sorted.
reg_values() {
  "$WINE" reg query "$1" 2>/dev/null | tr -d '\r' |
    sed -n 's/^    \([^ ].*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1=\2 \3/p' | LC_ALL=C sort
}

# Runs the installer with /S and checks what it left: the file, every value of
# the Apps entry (and no other) and the current saver.
install_and_check() {
  local code=0 bytes
  timeout 60 "$WINE" "$installer" /S || code=$?
  [ "$code" -eq 0 ] || fail "the silent install ended with $code"
  cmp -s "$ORCHARDIA_SCR" "$system32/Orchardia.scr" || fail "System32 does not hold the built Orchardia.scr"
  [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/Orchardia.scr" ] || fail "the saver went to the 32-bit folder"
  bytes=$(($(stat -c %s "$system32/Orchardia.scr") + $(stat -c %s "$program_dir/Uninstall.exe")))
  local expected
  expected=$(printf '%s\n' \
    "DisplayName=REG_SZ Orchardia" \
    "DisplayVersion=REG_SZ 1.0" \
    "Publisher=REG_SZ Kelvra" \
    'DisplayIcon=REG_SZ C:\windows\system32\Orchardia.scr,0' \
    'InstallLocation=REG_SZ C:\Program Files\Orchardia' \
    'UninstallString=REG_SZ "C:\Program Files\Orchardia\Uninstall.exe"' \
    'QuietUninstallString=REG_SZ "C:\Program Files\Orchardia\Uninstall.exe" /S' \
    "NoModify=REG_DWORD 0x1" \
    "NoRepair=REG_DWORD 0x1" \
    "EstimatedSize=REG_DWORD $(printf '0x%x' $(((bytes + 1023) / 1024)))" | LC_ALL=C sort)
  local actual
  actual=$(reg_values "$uninstall_key")
  [ "$actual" = "$expected" ] || fail "the Apps entry differs:
$(diff <(echo "$expected") <(echo "$actual"))"
  local saver
  saver=$(reg_values "$desktop_key" | grep -E '^(SCRNSAVE\.EXE|ScreenSaveActive)=')
  [ "$saver" = 'SCRNSAVE.EXE=REG_SZ C:\windows\system32\Orchardia.scr
ScreenSaveActive=REG_SZ 1' ] || fail "the current saver: $saver"
}

# Runs the entry's quiet uninstall string. The uninstaller starts a copy of
# itself from a temporary folder (%TEMP%\~nsu*.tmp) and ends; the wait is for that copy.
quiet_uninstall() {
  local command program
  command=$(reg_value "$uninstall_key" QuietUninstallString | sed 's/^REG_SZ //')
  [ -n "$command" ] || fail "no quiet uninstall string"
  program=${command#\"}
  program=${program%%\"*}
  "$WINE" "$program" ${command##*\" } || fail "the quiet uninstall failed to start"
  for _ in $(seq 600); do
    pgrep -f '~nsu.*\.tmp' >/dev/null || return 0
    sleep 0.1
  done
  fail "the uninstaller did not end within a minute"
}

# The user's own setting, which nothing but the dialog may change.
"$WINE" reg add "$SETTINGS_KEY" /v UseMirrors /t REG_DWORD /d 0 /f >/dev/null
install_and_check
install_and_check
echo "installed twice; file and entry as expected"
entries=$("$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | tr -d '\r' | grep -ci 'orchardia')
[ "$entries" -eq 1 ] || fail "$entries Apps entries after the upgrade"

# Installing while the installed saver runs: the running copy is moved aside
# (deleted at the next restart) and the new file and the entry are in place at once.
set_grace_minute
"$WINE" "$system32/Orchardia.scr" /s &
SAVER_PID=$!
window=$(wait_for_window SaverWindow 60) || fail "the installed saver showed no window"
install_and_check
reg_value 'HKLM\System\CurrentControlSet\Control\Session Manager' PendingFileRenameOperations |
  grep -qi '^REG_MULTI_SZ \\??\\C:\\windows\\system32\\ns[^\\]*\.tmp\\0' ||
  fail "the running copy is not set to go at the next restart"
xdotool windowfocus --sync "$window" key space
wait_for_exit "$SAVER_PID" 10 || fail "a key did not end the running saver"
echo "installed while the saver ran; the running copy goes at the next restart"

check_saver_run "$system32/Orchardia.scr" "$ORCHARDIA_BUILD/tests/windows/installed-saver.png"

quiet_uninstall
[ ! -e "$system32/Orchardia.scr" ] || fail "the uninstall left Orchardia.scr"
[ ! -e "$program_dir" ] || fail "the uninstall left $program_dir"
"$WINE" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall left the Apps entry"
[ -z "$(reg_value "$desktop_key" SCRNSAVE.EXE)" ] || fail "the uninstall left SCRNSAVE.EXE naming Orchardia"
[ "$(stored_mirrors | tr -s ' ')" = " UseMirrors REG_DWORD 0x0" ] || fail "UseMirrors after the uninstall: '$(stored_mirrors)'"
echo "uninstalled: file, entry and SCRNSAVE.EXE gone, UseMirrors kept"

# Deleted by hand, another saver chosen since: the uninstall still removes the
# entry and leaves the user's choice of saver alone.
install_and_check
rm "$system32/Orchardia.scr"
other='C:\windows\system32\other.scr'
"$WINE" reg add "$desktop_key" /v SCRNSAVE.EXE /t REG_SZ /d "$other" /f >/dev/null
quiet_uninstall
"$WINE" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the Apps entry outlived an uninstall after a deletion by hand"
[ "$(reg_value "$desktop_key" SCRNSAVE.EXE)" = "REG_SZ $other" ] ||
  fail "the uninstall changed another saver's SCRNSAVE.EXE to '$(reg_value "$desktop_key" SCRNSAVE.EXE)'"
echo "uninstall after a deletion by hand: entry gone, the other saver kept"
