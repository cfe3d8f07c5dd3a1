#!/usr/bin/env bash
# Orchardia.scr as built: its resources decompiled hold dialog 104 exactly as
# designed, the description string, the two-image 16-colour icon, the three
# images by name, a DPI-aware manifest and the version information that
# Properties > Details shows, all in US English; and it imports only DLLs that
# every Windows system has.
source "$(dirname "$0")/wine_lib.sh"

resources=$("$WINDRES" -i "$ORCHARDIA_SCR" -O rc | tr -d '\r')

expected_dialog='104 DIALOG 0, 0, 228, 102
STYLE 0x80c800c0
CAPTION "Config dialog"
FONT 8, "MS Sans Serif"
BEGIN
  CONTROL "OK", 1, "BUTTON", 0x50010001, 172, 4, 50, 14
  CONTROL "Cancel", 2, "BUTTON", 0x50010000, 172, 23, 50, 14
  CONTROL "*", 65535, "STATIC", 0x50020000, 7, 78, 100, 8
  CONTROL "*", 65535, "STATIC", 0x50020000, 7, 55, 53, 8
  CONTROL "*", 65535, "STATIC", 0x50020000, 7, 63, 49, 8
  CONTROL "Use Mirrors", 1001, "BUTTON", 0x50010003, 9, 14, 52, 10
  CONTROL "Version 1.0", 65535, "STATIC", 0x50020000, 7, 34, 36, 8
END'
# The three notice lines are free text: any non-empty text stands for "*".
dialog=$(sed -n '/^104 DIALOG/,/^END/p' <<<"$resources" |
  sed -E '/"Version 1.0"/! s/CONTROL "[^"]+", 65535, "STATIC"/CONTROL "*", 65535, "STATIC"/')
[ "$dialog" = "$expected_dialog" ] || fail "dialog 104 differs:
$(diff <(echo "$expected_dialog") <(echo "$dialog"))"

grep -q '^  1, "Orchardia screen saver"$' <<<"$resources" || fail "no description string 1"
for name in JPEG_FRUIT_RGB JPEG_FRUIT_MASK LOGO_MASK; do
  grep -q "^\"$name\" RCDATA\$" <<<"$resources" || fail "no RCDATA resource $name"
done

# Icon group 1: two 16-colour images, 32x32 then 16x16 ("width height colours pad" in octal).
icons=$(sed -n '/^1 14 \/\* RT_GROUP_ICON/,/^END/p' <<<"$resources")
grep -q '"\\040\\040\\020\\000", 1, 4,' <<<"$icons" || fail "no 32x32 16-colour icon image"
grep -q '"\\020\\020\\020\\000", 1, 4,' <<<"$icons" || fail "no 16x16 16-colour icon image"
grep -q 'Has 2 elements' <<<"$icons" || fail "the icon group does not hold exactly two images"

expected_version='1 VERSIONINFO
 FILEVERSION 1, 0, 0, 0
 PRODUCTVERSION 1, 0, 0, 0
 FILEFLAGSMASK 0x3f
 FILEOS 0x40004
 FILETYPE 0x1
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904B0"
    BEGIN
      VALUE "CompanyName", "Kelvra"
      VALUE "FileDescription", "Orchardia screen saver"
      VALUE "FileVersion", "1.0.0.0"
      VALUE "InternalName", "Orchardia"
      VALUE "LegalCopyright", "Copyright (c) 2026 Kelvra"
      VALUE "OriginalFilename", "Orchardia.scr"
      VALUE "ProductName", "Orchardia"
      VALUE "ProductVersion", "1.0.0.0"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1200
  END
END'
version=$(version_info "$ORCHARDIA_SCR")
[ "$version" = "$expected_version" ] || fail "the version information differs:
$(diff <(echo "$expected_version") <(echo "$version"))"

languages=$(grep '^LANGUAGE' <<<"$resources" | sort -u)
[ "$languages" = "LANGUAGE 9, 1" ] || fail "resource languages: $languages"

manifest=$(sed -n '/^1 24 \/\* RT_MANIFEST/,/^END/p' <<<"$resources")
grep -q 'dpiAware' <<<"$manifest" || fail "the manifest does not declare DPI awareness"

system_dlls='^(ADVAPI32|GDI32|GLU32|KERNEL32|OPENGL32|USER32|msvcrt)\.dll$'
imports=$("$OBJDUMP" -p "$ORCHARDIA_SCR" | sed -n 's/^\tDLL Name: //p')
others=$(grep -Eiv "$system_dlls" <<<"$imports" || true)
[ -z "$others" ] || fail "imports DLLs that are not the system's: $others"
echo "resources and imports as designed; imports: $(echo $imports)"
