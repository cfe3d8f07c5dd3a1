#!/usr/bin/env bash
# Pacing benchmark: runs `orchardia /s` (by default at 1920x1080) under a private Xvfb and
# prints the frames per second of each one-second window (from the swap times
# that ORCHARDIA_SWAP_LOG records), the settled rate (the mean from second 10
# on, once the governor has had its say), and the CPU share of the saver and of
# the X server over the run. Usage: bench/pacing.sh BUILD_DIR [SECONDS [WIDTHxHEIGHT]]
set -euo pipefail
build=${1:?usage: bench/pacing.sh BUILD_DIR [SECONDS [WIDTHxHEIGHT]]}
seconds=${2:-30}
size=${3:-1920x1080}
binary=$build/orchardia
[ -x "$binary" ] || { echo "pacing: $binary is not built" >&2; exit 1; }

# shellcheck source=tools/private_xvfb.sh
source "$(dirname "$0")/../tools/private_xvfb.sh"
start_xvfb "$size"

# Busy ticks (user + system) of a process, from /proc.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

ORCHARDIA_SWAP_LOG="$work/swaps" XDG_CONFIG_HOME="$work/config" "$binary" /s &
saver=$!
start=$(date +%s.%N)
saver_start=$(ticks "$saver")
xvfb_start=$(ticks "$xvfb_pid")
sleep "$seconds"
saver_end=$(ticks "$saver")
xvfb_end=$(ticks "$xvfb_pid")
end=$(date +%s.%N)
kill -TERM "$saver"
wait "$saver" || { echo "pacing: the saver exited with $?" >&2; exit 1; }

hz=$(getconf CLK_TCK)
awk -v limit="$seconds" -v size="$size" -v hz="$hz" -v start="$start" -v end="$end" \
    -v saverTicks=$((saver_end - saver_start)) -v xvfbTicks=$((xvfb_end - xvfb_start)) '
  NR == 1 { first = $1 }
  { window = int($1 - first); if (window < limit) count[window]++; frames++ }
  END {
    wall = end - start
    printf "pacing: orchardia /s at %s, %d s, %d frames\n", size, limit, frames
    printf "frames per second, by one-second window:"
    for (w = 0; w < limit; w++) printf " %d", count[w] + 0
    printf "\n"
    settled = 0; n = 0; low = 1e9; high = 0
    for (w = 10; w < limit; w++) { settled += count[w]; n++; if (count[w] < low) low = count[w]; if (count[w] > high) high = count[w] }
    if (n > 0) printf "settled rate (seconds 10-%d): %.1f frames per second (%d to %d)\n", limit - 1, settled / n, low, high
    printf "CPU share over the run: saver %.1f%%, X server %.1f%% (of one core)\n",
           100 * saverTicks / hz / wall, 100 * xvfbTicks / hz / wall
  }' "$work/swaps"
