# shellcheck shell=bash
# Sourced by scripts that run programs on an X server of their own (benchmarks,
# end-to-end tests): a work folder ($work), `start_xvfb`, `wait_for`, and a
# cleanup on exit that ends every background job the script started and
# removes the work folder. Sets no shell options; the caller chooses its own.

work=$(mktemp -d)

cleanup() {
  local running
  running=$(jobs -p)
  if [ -n "$running" ]; then
    # shellcheck disable=SC2086
    kill $running 2>/dev/null || true
    # shellcheck disable=SC2086
    wait $running 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# wait_for SECONDS COMMAND...: runs the command every 50 ms until it succeeds;
# false when it never did.
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 20))); do "$@" && return 0; sleep 0.05; done
  return 1
}

# start_xvfb WIDTHxHEIGHT [OPTION...]: an Xvfb (with those options) on a display
# number it picks itself; exports DISPLAY and sets xvfb_pid. A server that does not come up ends the script.
start_xvfb() {
  rm -f "$work/display"
  Xvfb -displayfd 1 -screen 0 "$1x24" -nolisten tcp -noreset "${@:2}" >"$work/display" 2>"$work/xvfb.log" &
  # shellcheck disable=SC2034 # read by the caller
  xvfb_pid=$!
  if ! wait_for 10 test -s "$work/display"; then
    echo "${0##*/}: Xvfb did not start: $(cat "$work/xvfb.log")" >&2
    exit 1
  fi
  DISPLAY=":$(head -1 "$work/display")"
  export DISPLAY
}
