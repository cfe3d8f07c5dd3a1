# Shared by the saver's end-to-end tests: a private X server for each test (a
# full-screen run grabs keyboard and pointer, which must not disturb tests
# running beside it), and small waiting and checking helpers.
# Needs ORCHARDIA (the built program) and ORCHARDIA_BUILD (the build folder).

set -euo pipefail
: "${ORCHARDIA:?set by ctest}" "${ORCHARDIA_BUILD:?set by ctest}"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config
pids_to_stop=()

cleanup() {
  for pid in "${pids_to_stop[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids_to_stop[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# start_xvfb WIDTHxHEIGHT: a server on a display number it picks itself.
start_xvfb() {
  rm -f "$work/display"
  Xvfb -displayfd 1 -screen 0 "$1x24" -nolisten tcp -noreset >"$work/display" 2>"$work/xvfb.log" &
  pids_to_stop+=($!)
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -1 "$work/display")"
}

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
  local seconds=$1; shift
  for _ in $(seq $((seconds * 20))); do "$@" && return 0; sleep 0.05; done
  return 1
}

running() { kill -0 "$1" 2>/dev/null; }
stopped() { ! running "$1"; }

# The saver window's id (decimal), once it is mapped.
saver_window() { xdotool search --onlyvisible --name '^SaverWindow$' 2>/dev/null | head -1; }
has_saver_window() { [ -n "$(saver_window)" ]; }

# geometry ID: "X Y WIDTH HEIGHT" relative to the window's parent.
geometry() {
  xwininfo -id "$1" | awk '/Relative upper-left X/{x=$4} /Relative upper-left Y/{y=$4}
                           /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# expect_exit PID CODE WHAT: the process ends (within 10 s) with that code.
expect_exit() {
  wait_for 10 stopped "$1" || fail "$3: still running"
  local code=0
  wait "$1" || code=$?
  [ "$code" -eq "$2" ] || fail "$3: exit code $code, expected $2"
}

# edge_fraction PNG: the share of pixels on a sharp edge (grey level stepping by
# more than 8% to a neighbour). The gradient and the faint banner have none;
# every sprite has an outline.
edge_fraction() {
  convert "$1" -colorspace gray -morphology EdgeIn Diamond:1 -threshold 8% -format '%[fx:mean]' info:
}

# shows_sprites PNG: sprite outlines cover at least 0.1% of the picture.
shows_sprites() {
  awk -v f="$(edge_fraction "$1")" 'BEGIN { exit !(f > 0.001) }'
}
