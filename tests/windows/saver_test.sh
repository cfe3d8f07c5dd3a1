#!/usr/bin/env bash
# "/s" as built: a full-screen run with sprites that a key ends (check_saver_run).
source "$(dirname "$0")/wine_lib.sh"

check_saver_run "$ORCHARDIA_SCR" "$ORCHARDIA_BUILD/tests/windows/saver.png"
