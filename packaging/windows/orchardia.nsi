; The Windows installer: a 64-bit program that puts Orchardia.scr into the
; 64-bit System32 folder (where the screen-saver list looks), registers an
; uninstaller with Apps > Installed apps, and can make Orchardia the current
; screen saver. /S installs (and uninstalls) silently. CMake builds it with
;   makensis -DVERSION=1.0 -DVERSION_QUAD=1.0.0.0 -DSCR=<Orchardia.scr>
;            -DICON=<orchardia.ico> -DOUTFILE=<setup.exe> orchardia.nsi
Unicode true
; A 64-bit installer: $SYSDIR is the real System32 and the registry is the
; 64-bit view, with no file-system or registry redirection to turn off.
Target amd64-unicode

!include MUI2.nsh
!include LogicLib.nsh

!define SAVER_FILE "Orchardia.scr"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orchardia"
!define DESKTOP_KEY "Control Panel\Desktop"
!define COPYRIGHT "Copyright (c) 2026 Kelvra"
; SystemParametersInfo: SPI_SETSCREENSAVEACTIVE, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE.
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3

Name "Orchardia ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Orchardia"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

; The installer's own Properties > Details: the program's version and names.
VIProductVersion ${VERSION_QUAD}
VIFileVersion ${VERSION_QUAD}
VIAddVersionKey /LANG=1033 "ProductName" "Orchardia"
VIAddVersionKey /LANG=1033 "CompanyName" "Kelvra"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "FileDescription" "Orchardia screen saver setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "Orchardia-${VERSION}-setup.exe"
VIAddVersionKey /LANG=1033 "InternalName" "Orchardia setup"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Orchardia screen saver" SecSaver
  SectionIn RO
  Call MoveRunningSaverAside
  SetOutPath "$SYSDIR"
  SetOverwrite on
  ClearErrors
  File "/oname=${SAVER_FILE}" "${SCR}"
  ${If} ${Errors}
    Call ReplaceSaverAtRestart
  ${EndIf}
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  Call WriteUninstallEntry
SectionEnd

Section "Make Orchardia the current screen saver" SecCurrent
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SAVER_FILE}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; Tells the running session too, not only the next logon.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_SEND})'
SectionEnd

; Acted on after the last page; a silent install never opens it.
Section "Open the screen-saver settings at the end" SecSettings
SectionEnd

Function .onInstSuccess
  ${IfNot} ${Silent}
  ${AndIf} ${SectionIsSelected} ${SecSettings}
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
  ${EndIf}
FunctionEnd

; A running saver's file cannot be overwritten but can be renamed: it is moved
; aside under a fresh name (deleted at the next restart), so the new file goes
; in place at once and the saver's next start runs it.
Function MoveRunningSaverAside
  ClearErrors
  Delete "$SYSDIR\${SAVER_FILE}"
  ${If} ${Errors}
    GetTempFileName $0 "$SYSDIR"
    Delete "$0"
    Rename "$SYSDIR\${SAVER_FILE}" "$0"
    Delete /REBOOTOK "$0"
    DetailPrint "${SAVER_FILE} is in use; the running copy goes at the next restart"
  ${EndIf}
FunctionEnd

; Still held (the user ignored the error, or /S): the new copy takes its place at the next restart.
Function ReplaceSaverAtRestart
  File "/oname=${SAVER_FILE}.new" "${SCR}"
  Rename /REBOOTOK "$SYSDIR\${SAVER_FILE}.new" "$SYSDIR\${SAVER_FILE}"
FunctionEnd

; Puts the size of file $0 in bytes into $1 (0 when it cannot be read).
Function FileBytes
  FileOpen $2 "$0" r
  ${If} $2 == ""
    StrCpy $1 0
  ${Else}
    FileSeek $2 0 END $1
    FileClose $2
  ${EndIf}
FunctionEnd

; The Apps > Installed apps entry, rewritten whole by every install.
Function WriteUninstallEntry
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Orchardia"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Kelvra"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SAVER_FILE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; EstimatedSize is in KiB: the saver and the uninstaller, rounded up.
  StrCpy $0 "$SYSDIR\${SAVER_FILE}"
  Call FileBytes
  StrCpy $3 $1
  StrCpy $0 "$INSTDIR\Uninstall.exe"
  Call FileBytes
  IntOp $3 $3 + $1
  IntOp $3 $3 + 1023
  IntOp $3 $3 / 1024
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $3
FunctionEnd

; Removes what the installer put in place. A file already gone is no error; a
; running saver's file goes at the next restart. The user's own settings
; (Software\Kelvra) stay, and SCRNSAVE.EXE is cleared only when it names Orchardia.
Section "Uninstall"
  Delete /REBOOTOK "$SYSDIR\${SAVER_FILE}"
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $1 $0 "" -14
  ${If} $0 == "${SAVER_FILE}"
  ${OrIf} $1 == "\${SAVER_FILE}"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
