#!/usr/bin/env bash
# Long-run benchmark: runs `orchardia /s` at 640x480 under a private Xvfb with
# its monotonic clock jumped forward (bench/uptime_shim.c, preloaded) by each
# uptime from 1 hour to 10 years, and prints for each the share of frames whose
# pixels equal the frame before (motion that stutters or stands still) and the
# frame rate over the run's second half (the governor's settled rate).
# Usage: bench/long_run.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=${1:?usage: bench/long_run.sh BUILD_DIR [SECONDS]}
seconds=${2:-12}
binary=$build/orchardia
shim=$(cd "$build" && pwd)/bench/libuptime_shim.so
if [ ! -x "$binary" ] || [ ! -f "$shim" ]; then echo "long_run: $binary or $shim is not built" >&2; exit 1; fi

# shellcheck source=tools/private_xvfb.sh
source "$(dirname "$0")/../tools/private_xvfb.sh"
start_xvfb 640x480

echo "long run: orchardia /s at 640x480 for $seconds s per uptime, the clock moved on 1 s after the first frame"
for uptime in 0 3600 86400 604800 2592000 31536000 315360000; do
  ORCHARDIA_UPTIME_JUMP=$uptime ORCHARDIA_FRAME_LOG="$work/frames" LD_PRELOAD="$shim" \
    XDG_CONFIG_HOME="$work/config" "$binary" /s &
  saver=$!
  sleep "$seconds"
  kill -TERM "$saver"
  wait "$saver" || { echo "long_run: the saver exited with $?" >&2; exit 1; }
  # Frames from 1 s after the jump on count; the rate is taken over the last half.
  awk -v uptime="$uptime" -v seconds="$seconds" '
    { time[NR] = $1; same[NR] = $2 }
    END {
      for (i = 1; i <= NR; i++) if (time[i] >= time[1] + uptime + 2) { frames++; identical += same[i] }
      for (i = 1; i <= NR; i++) if (time[i] >= time[NR] - seconds / 2) late++
      printf "uptime %9d s: %4d frames, %3.0f%% identical to the one before, %.1f frames per second\n",
             uptime, frames, frames ? 100 * identical / frames : 0, late / (seconds / 2)
    }' "$work/frames"
done
