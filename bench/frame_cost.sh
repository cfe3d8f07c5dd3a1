#!/usr/bin/env bash
# Frame-cost benchmark: Render at 1920x1080 and 3840x2160 with 10 and 24
# mirrored wedges beside a bare replay of its drawing. Prints figures;
# with SNAPSHOT_DIR also saves each measured frame as a PNG there.
# Usage: bench/frame_cost.sh BUILD_DIR [FRAMES] [SNAPSHOT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: bench/frame_cost.sh BUILD_DIR [FRAMES] [SNAPSHOT_DIR]}
bench=$build/bench/frame_cost
[ -x "$bench" ] || { echo "frame_cost: $bench is not built" >&2; exit 1; }
snapshots=${3:-}
"$here/../tools/with-xvfb.sh" -s 3840x2160 "$bench" "${2:-40}" "$snapshots"
if [ -n "$snapshots" ]; then
  for ppm in "$snapshots"/frame_*.ppm; do
    convert "$ppm" "${ppm%.ppm}.png" && rm -f "$ppm"
  done
fi
