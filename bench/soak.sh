#!/usr/bin/env bash
# Soak benchmark. First it runs `orchardia /s` for ten minutes under a private
# Xvfb, printing the frame rate of each minute (from ORCHARDIA_SWAP_LOG's swap
# times) and the resident memory near the start and at the end; then it starts
# and stops the saver a hundred times in a row and reports anything left behind
# (processes, windows, temporary files).
# Usage: bench/soak.sh BUILD_DIR [SECONDS] [RUNS]   (SOAK_SECONDS, SOAK_RUNS also work)
set -euo pipefail
build=${1:?usage: bench/soak.sh BUILD_DIR [SECONDS] [RUNS]}
seconds=${2:-${SOAK_SECONDS:-600}}
runs=${3:-${SOAK_RUNS:-100}}
binary=$(cd "$build" && pwd)/orchardia
[ -x "$binary" ] || { echo "soak: $binary is not built" >&2; exit 1; }

# shellcheck source=tools/private_xvfb.sh
source "$(dirname "$0")/../tools/private_xvfb.sh"
start_xvfb 1280x720
mkdir -p "$work/tmp" "$work/config"
export XDG_CONFIG_HOME="$work/config" TMPDIR="$work/tmp"

rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

# One long run.
ORCHARDIA_SWAP_LOG="$work/swaps" "$binary" /s 2>"$work/stderr" &
saver=$!
sleep 10
rss_start=$(rss_kib "$saver")
rss_samples=()
for ((elapsed = 10; elapsed < seconds; elapsed += 60)); do
  sleep $((seconds - elapsed < 60 ? seconds - elapsed : 60))
  rss_samples+=("$(rss_kib "$saver")")
done
rss_end=$(rss_kib "$saver")
kill -TERM "$saver"
code=0; wait "$saver" || code=$?
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
echo "resident memory each minute after that (KiB): ${rss_samples[*]}"
if [ -s "$work/stderr" ]; then echo "standard error:"; cat "$work/stderr"; fi

# Start and stop, many times.
snapshot() {
  echo "processes: $(pgrep -c -f "^$binary" || true)"
  echo "windows: $(xwininfo -root -children | grep -c '^ *0x' || true)"
  echo "shared-memory segments: $(ipcs -m | grep -c '^0x' || true)"
  { find "$TMPDIR" "$XDG_CONFIG_HOME" -mindepth 1 2>/dev/null || true; } | sort
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
  [ "$code" -eq 0 ] || failures=$((failures + 1))
done
ended=$(date +%s.%N)
sleep 0.5
after=$(snapshot)
echo "start/stop: $runs runs in $(awk -v a="$began" -v b="$ended" 'BEGIN {printf "%.1f", b - a}') s, $failures with a nonzero exit code"
if [ "$before" = "$after" ]; then
  echo "left behind: nothing (processes, top-level windows, shared-memory segments and temporary files as before)"
else
  echo "left behind:"; diff <(echo "$before") <(echo "$after") || true
fi
if [ -s "$work/stderr2" ]; then echo "standard error:"; sort "$work/stderr2" | uniq -c; fi
exit 0
