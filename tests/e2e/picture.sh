# shellcheck shell=bash
# Sourced by the end-to-end tests of both platforms: what a screenshot of the
# saver shows. Needs ImageMagick's convert.

# edge_fraction PNG: the share of pixels on a sharp edge (grey level stepping by
# more than 8% to a neighbour), which the mirror check compares.
edge_map=(-colorspace gray -morphology EdgeIn Diamond:1 -threshold 8%)
edge_fraction() {
  convert "$1" "${edge_map[@]}" -format '%[fx:mean]' info:
}

# sprite_detail PNG: the percentage of pixels far (over 6%) from their value in
# a wide blur. The gradient survives the blur almost unchanged and the faint
# banner nearly so (about 0.1%); sprites' outlines do not: frames with sprites
# have measured 1.9% (a few small ones) to 17%, on Linux and under Wine alike.
sprite_detail() {
  convert "$1" -colorspace Gray \( +clone -blur 0x12 \) -compose Difference -composite \
    -threshold 6% -format '%[fx:mean * 100]' info:
}

# shows_sprites PNG: more than 0.5% of the picture is sprite outline.
shows_sprites() {
  awk -v d="$(sprite_detail "$1")" 'BEGIN { exit !(d > 0.5) }'
}

# mirror_asymmetry PNG: the share (0 to 1) of the picture's sharp edges that
# have none within a pixel of their mirror image across the vertical centre
# line. A mirrored kaleidoscope in a full-screen shot is symmetric about that
# line (below 0.05 seen); the plain sprite field is not (above 0.75 seen).
mirror_asymmetry() {
  local unmatched
  unmatched=$(convert "$1" "${edge_map[@]}" -write mpr:edges +delete mpr:edges \
    \( mpr:edges -flop -morphology Dilate Square:1 -negate \) -compose Multiply -composite -format '%[fx:mean]' info:)
  awk -v u="$unmatched" -v e="$(edge_fraction "$1")" 'BEGIN { printf "%.3f\n", (e > 0 ? u / e : 1) }'
}

# Usage: looks_mirrored SHOT.png && echo mirrored  (a full-screen shot of the saver)
looks_mirrored() {
  awk -v a="$(mirror_asymmetry "$1")" 'BEGIN { exit !(a < 0.25) }'
}

# shoot_until WINDOW PNG CHECK...: shoots the X window into PNG up to 8 times
# 0.6 s apart until `CHECK... PNG` passes (a wedge transition breaks the
# symmetry for up to 2 s, a loaded machine starts late); false when none does
# or the window is gone.
shoot_until() {
  for _ in 1 2 3 4 5 6 7 8; do
    sleep 0.6
    import -window "$1" "$2" 2>/dev/null || return 1
    "${@:3}" "$2" && return
  done
  return 1
}
