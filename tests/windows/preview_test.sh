#!/usr/bin/env bash
# "/p <window>": inside a host window, as the display settings' preview does,
# the saver makes a child window of the host's size at its corner, draws the
# mirrored kaleidoscope in it, and ends with exit code 0 when the host destroys
# itself, or when the process that owns the host window is killed.
source "$(dirname "$0")/wine_lib.sh"
shot=$ORCHARDIA_BUILD/tests/windows/preview.png

"$WINE" "$PREVIEW_HOST" "$ORCHARDIA_SCR" 152 112 >"$shot.log" &
SAVER_PID=$!
for _ in $(seq 150); do window=$(child_gl_window 152 112) && [ -n "$window" ] && break; sleep 0.2; done
# Edges mirrored about the centre line: neither one flat colour nor the unmirrored field.
shoot_until "${window:-none}" "$shot" looks_mirrored || fail "the preview is not mirrored ($shot: $(sprite_detail \
  "$shot")% outline, asymmetry $(mirror_asymmetry "$shot"))"
wait "$SAVER_PID" || fail "preview host: $(cat "$shot.log")"
output=$(tr -d '\r' <"$shot.log")
echo "$output"
grep -q '^host 152x112 child OpenGL 152x112 at 0,0$' <<<"$output" || fail "no child of the host's size"
grep -q '^saver ended, exit code 0$' <<<"$output" || fail "the saver did not end cleanly"

output=$("$WINE" "$PREVIEW_HOST" "$ORCHARDIA_SCR" 152 112 killed | tr -d '\r') || fail "killed host: $output"
echo "$output"
grep -q '^saver ended, exit code 0$' <<<"$output" || fail "the saver outlived the process of its host window"
