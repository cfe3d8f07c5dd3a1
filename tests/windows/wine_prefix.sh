#!/usr/bin/env bash
# Makes the test Wine prefix on first use (start) and stops its wineserver,
# with every Wine process of the prefix, at the end of the run (stop).
set -euo pipefail
case "$1" in
  start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "Making the Wine prefix $WINEPREFIX (once, about ten seconds)"
      "$WINE" wineboot -i
    fi
    "$WINE" --version
    ;;
  stop)
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    ;;
esac
