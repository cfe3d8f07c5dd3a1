#!/usr/bin/env bash
# Makes the README's screenshot: a full-screen run under Xvfb, captured after
# a while so that the sprites have spread out. Usage: tools/make-screenshot.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-25}
ORCHARDIA_RUN_SECONDS=$seconds ORCHARDIA_SCREENSHOT=docs/orchardia.png env -u DISPLAY tools/run.sh build/orchardia
