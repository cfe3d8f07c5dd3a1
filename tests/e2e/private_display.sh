# Sourced by end-to-end scripts that watch windows, focus and keys: an Xvfb of
# their own, so that tests running side by side cannot steal the focus or open
# windows under them. Xvfb picks a free display number itself (-displayfd).

start_private_display() {
  local ready
  ready=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$ready" 2>/dev/null &
  private_xvfb=$!
  for _ in $(seq 200); do
    [ -s "$ready" ] && break
    sleep 0.05
  done
  if [ ! -s "$ready" ]; then
    echo "could not start a private Xvfb" >&2
    rm -f "$ready"
    return 1
  fi
  DISPLAY=":$(head -n 1 "$ready")"
  export DISPLAY
  rm -f "$ready"
}

stop_private_display() {
  [ -n "${private_xvfb:-}" ] || return 0
  kill "$private_xvfb" 2>/dev/null
  wait "$private_xvfb" 2>/dev/null
  private_xvfb=
}
