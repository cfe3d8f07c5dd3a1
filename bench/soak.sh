#!/usr/bin/env bash
# Soak benchmark. Part 1: `orchardia /s` for ten minutes under a private Xvfb,
# printing the frame rate of each minute (from ORCHARDIA_SWAP_LOG's swap times)
# and the resident memory near the start and at the end. Part 2: starts and
# stops the saver a hundred times in a row and reports anything left behind
# (processes, windows, temporary files).
# Usage: bench/soak.sh BUILD_DIR [SECONDS] [RUNS]   (SOAK_SECONDS, SOAK_RUNS also work)
set -euo pipefail
build=${1:?usage: bench/soak.sh BUILD_DIR [SECONDS] [RUNS]}
seconds=${2:-${SOAK_SECONDS:-600}}
runs=${3:-${SOAK_RUNS:-100}}
binary=$(cd "$build" && pwd)/orchardia
[ -x "$binary" ] || { echo "soak: $binary is not built" >&2; exit 1; }

work=$(mktemp -d)
xvfb=
saver=
cleanup() {
  [ -n "$saver" ] && kill "$saver" 2>/dev/null && wait "$saver" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 1 -screen 0 1280x720x24 -nolisten tcp -noreset >"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "soak: Xvfb did not start" >&2; exit 1; }
mkdir -p "$work/tmp" "$work/config"
export DISPLAY=":$(head -1 "$work/display")" XDG_CONFIG_HOME="$work/config" TMPDIR="$work/tmp"

rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

# Part 1: one long run.
ORCHARDIA_SWAP_LOG="$work/swaps" "$binary" /s 2>"$work/stderr" &
saver=$!
sleep 10
rss_start=$(rss_kib "$saver")
sleep $((seconds > 10 ? seconds - 10 : 0))
rss_end=$(rss_kib "$saver")
kill -TERM "$saver"
code=0; wait "$saver" || code=$?
saver=
echo "soak: orchardia /s at 1280x720 for $seconds s; exit code $code"
awk -v total="$seconds" '
  NR == 1 { first = $1 }
  { minute = int(($1 - first) / 60); count[minute]++; if (minute > last) last = minute }
  END {
    printf "frames per second, by minute:"
    for (m = 0; m <= last; m++) printf " %.1f", count[m] / (total - 60 * m < 60 ? total - 60 * m : 60)
    printf "\n"
  }' "$work/swaps"
echo "resident memory: ${rss_start} KiB at 10 s, ${rss_end} KiB at the end ($((rss_end - rss_start)) KiB change)"
if [ -s "$work/stderr" ]; then echo "standard error:"; cat "$work/stderr"; fi

# Part 2: start and stop, many times.
snapshot() {
  echo "processes: $(pgrep -c -f "^$binary" || true)"
  echo "windows: $(xwininfo -root -children | grep -c '^ *0x' || true)"
  { find "$TMPDIR" "$XDG_CONFIG_HOME" /dev/shm -mindepth 1 2>/dev/null || true; } | sort
}
before=$(snapshot)
failures=0
began=$(date +%s.%N)
for _ in $(seq "$runs"); do
  "$binary" /s 2>>"$work/stderr2" &
  saver=$!
  for _ in $(seq 200); do xdotool search --onlyvisible --name '^SaverWindow$' >/dev/null 2>&1 && break; sleep 0.02; done
  kill -TERM "$saver"
  code=0; wait "$saver" || code=$?
  saver=
  [ "$code" -eq 0 ] || failures=$((failures + 1))
done
ended=$(date +%s.%N)
sleep 0.5
after=$(snapshot)
echo "start/stop: $runs runs in $(awk -v a="$began" -v b="$ended" 'BEGIN {printf "%.1f", b - a}') s, $failures with a nonzero exit code"
if [ "$before" = "$after" ]; then
  echo "left behind: nothing (processes, top-level windows and temporary files as before)"
else
  echo "left behind:"; diff <(echo "$before") <(echo "$after") || true
fi
if [ -s "$work/stderr2" ]; then echo "standard error:"; sort "$work/stderr2" | uniq -c; fi
exit 0
