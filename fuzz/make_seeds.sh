#!/usr/bin/env bash
# Writes the committed seed corpus of the fuzz targets into fuzz/corpus/:
# small hand-made JPEG streams of every kind the decoder takes (grey, colour,
# subsampled, progressive, arithmetic, restart intervals), the embedded images
# whole, cut and cropped, and command lines. Needs cjpeg and jpegtran
# (libjpeg-turbo-progs).
# Usage: fuzz/make_seeds.sh
set -euo pipefail

fuzz=$(cd "$(dirname "$0")" && pwd)
images=$fuzz/../assets/images
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A grey or colour test pattern as PGM/PPM: name, P5|P6, width, height.
pattern() {
  local name=$1 kind=$2 width=$3 height=$4 channels=1
  [ "$kind" = P6 ] && channels=3
  { printf '%s\n%d %d\n255\n' "$kind" "$width" "$height"
    for ((y = 0; y < height; y++)); do
      for ((x = 0; x < width * channels; x++)); do printf "\\x$(printf %02x $(((x * 37 + y * 11) % 256)))"; done
    done; } >"$work/$name"
}

# The first `length` bytes of a file.
cut_at() { head -c "$2" "$1"; }
# The offset of the first start-of-scan marker (FF DA).
scan_offset() { LC_ALL=C grep -obUaP '\xff\xda' "$1" | head -n 1 | cut -d: -f1; }

pattern grey8.pgm P5 8 8
pattern grey17x9.pgm P5 17 9
pattern colour16.ppm P6 16 16
pattern colour13x7.ppm P6 13 7

single=$fuzz/corpus/jpeg
masked=$fuzz/corpus/masked_jpeg
line=$fuzz/corpus/command_line
settings=$fuzz/corpus/settings
rm -rf "$single" "$masked" "$line" "$settings"
mkdir -p "$single" "$masked" "$line" "$settings"

cjpeg -quality 50 "$work/grey8.pgm" >"$single/grey-8x8.jpg"
cjpeg -progressive "$work/grey17x9.pgm" >"$single/grey-17x9-progressive.jpg"
cjpeg -sample 2x2 "$work/colour16.ppm" >"$single/colour-16x16-420.jpg"
cjpeg -sample 1x1 -restart 1B "$work/colour13x7.ppm" >"$single/colour-13x7-444-restart.jpg"
cjpeg -sample 2x1 -progressive "$work/colour13x7.ppm" >"$single/colour-13x7-422-progressive.jpg"
cjpeg -arithmetic "$work/colour16.ppm" >"$single/colour-16x16-arithmetic.jpg"
cjpeg -rgb "$work/colour13x7.ppm" >"$single/rgb-13x7.jpg"
cjpeg -dct float -optimize "$work/grey17x9.pgm" >"$single/grey-17x9-optimized.jpg"

# The embedded images: the logo whole and cut, the atlas images as lossless
# crops of their first cell (whole, they are larger than the fuzzers decode).
logo=$images/logo_mask.jpg
logo_scan=$(scan_offset "$logo")
cp "$logo" "$single/logo.jpg"
cut_at "$logo" "$logo_scan" >"$single/logo-tables-only.jpg"
cut_at "$logo" $((logo_scan + 200)) >"$single/logo-cut-in-scan.jpg"
cut_at "$logo" $((logo_scan - 30)) >"$single/logo-cut-in-header.jpg"
for image in fruit_rgb fruit_mask; do
  jpegtran -crop 128x128+0+0 -copy all "$images/$image.jpg" >"$work/$image-cell.jpg"
  cp "$work/$image-cell.jpg" "$single/$image-cell.jpg"
  cut_at "$work/$image-cell.jpg" $(($(stat -c %s "$work/$image-cell.jpg") / 2)) >"$single/$image-cell-cut.jpg"
done

# Masked: a colour stream followed by its mask.
cjpeg -grayscale "$work/colour16.ppm" >"$work/mask16.jpg"
cjpeg -grayscale -progressive "$work/colour13x7.ppm" >"$work/mask13x7.jpg"
cat "$single/colour-16x16-420.jpg" "$work/mask16.jpg" >"$masked/colour-mask-16x16.jpg"
cat "$single/colour-13x7-422-progressive.jpg" "$work/mask13x7.jpg" >"$masked/colour-mask-13x7-progressive.jpg"
cat "$single/colour-16x16-arithmetic.jpg" "$single/grey-8x8.jpg" >"$masked/mask-of-another-size.jpg"
cat "$single/colour-16x16-420.jpg" "$single/colour-16x16-420.jpg" >"$masked/mask-in-colour.jpg"
cat "$single/colour-13x7-444-restart.jpg" "$work/mask13x7.jpg" |
  head -c -40 >"$masked/mask-cut.jpg"
cut_at "$single/colour-16x16-420.jpg" 400 >"$masked/colour-cut.jpg"
cat "$work/fruit_rgb-cell.jpg" "$work/fruit_mask-cell.jpg" >"$masked/atlas-cell.jpg"
cat "$work/fruit_rgb-cell.jpg" "$single/fruit_mask-cell-cut.jpg" >"$masked/atlas-cell-mask-cut.jpg"

# Command lines: the switches in their spellings, quoting, numbers at the edges.
while IFS= read -r text; do
  printf '%s' "$text" >"$line/$(printf '%s' "$text" | md5sum | cut -c1-12)"
done <<'EOF'
orchardia
"C:\Program Files\orchardia.scr" /s
"x y.scr"/S
orchardia -s5
orchardia /p 1234
orchardia /p : -1234
orchardia /L:99999999999999999999
orchardia /c
orchardia /c:abc
orchardia //s
orchardia	/s
"unclosed /s
orchardia /a  +2147483648
EOF

# Settings files: the forms the registry editor exports and a user might write.
header='Windows Registry Editor Version 5.00'
program='[HKEY_CURRENT_USER\Software\Kelvra\Quillon Saver]'
system='[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Screen Savers]'
printf '%s\r\n\r\n%s\r\n"UseMirrors"=dword:00000000\r\n\r\n%s\r\n"Password Delay"=dword:0000000a\r\n"Mouse Threshold"=hex:05,00\r\n"Other"="some \\"text\\""\r\n' \
  "$header" "$program" "$system" >"$settings/both-keys.reg"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$settings/both-keys.reg"; } >"$settings/both-keys-utf16.reg"
printf '\xef\xbb\xbf%s\n\n%s\n"UseMirrors"=hex(4):01,00,00,00\n@="default"\n' "$header" "$program" >"$settings/utf8-bom.reg"
printf '%s\n' "$header" >"$settings/header-only.reg"
: >"$settings/empty.reg"
printf '%s\n\n; a comment\n%s\n"UseMirrors"="a string longer than four bytes"\n"Blob"=hex:00,01,02,03,04,05,\\\n  06,07,08\n' \
  "$header" "$program" >"$settings/long-values.reg"
printf '%s\n\n[hkey_current_user\\software\\kelvra\\quillon saver]\n"usemirrors"=-\n\n%s\n"UseMirrors"=dword:7\n\n[-%s]\n' \
  "$header" "$program" "${system:1:-1}" >"$settings/case-and-deletions.reg"
printf '%s\n\n%s\n"Password Delay"=dword:ffffffff\n"Mouse Threshold"=hex(b):01,02,03,04,05,06,07,08' \
  "$header" "$system" >"$settings/no-final-newline.reg"
printf 'REGEDIT4\n\n%s\n"UseMirrors"=dword:00000001\n' "$program" >"$settings/old-header.reg"
# Once found by the fuzzer: a hex list left open at the end of the file.
printf '%s\r\n\r\n%s\r\n"Password Delay"=hex:05,00,\\' "$header" "$system" >"$settings/open-list-at-end.reg"
