#!/usr/bin/env bash
# Start-up benchmark: texture decode and upload against djpeg, and the
# loader's peak heap. Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: bench/startup.sh BUILD_DIR [RUNS]}
bench=$build/bench/startup_bench
[ -x "$bench" ] || { echo "startup: $bench is not built" >&2; exit 1; }
if [ -n "${DISPLAY:-}" ]; then
  "$bench" "$here/../assets/images" "${2:-51}"
else
  "$here/../tools/with-xvfb.sh" "$bench" "$here/../assets/images" "${2:-51}"
fi
