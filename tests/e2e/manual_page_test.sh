#!/usr/bin/env bash
# The manual page renders without a single troff warning at the widths man
# uses, and documents every option that `orchardia --help` lists.
set -uo pipefail
: "${ORCHARDIA:?set by ctest}" "${ORCHARDIA_SOURCE:?set by ctest}"
page=$ORCHARDIA_SOURCE/packaging/orchardia.6
status=0
for width in 65n 78n 98n; do
  warnings=$(groff -man -Tutf8 -ww -rLL=$width -z "$page" 2>&1)
  [ -z "$warnings" ] || { echo "FAIL: troff warnings at line length $width:" >&2; echo "$warnings" >&2; status=1; }
done
for option in $("$ORCHARDIA" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u); do
  grep -qF -- "$(printf '%s' "$option" | sed 's/-/\\-/g')" "$page" ||
    { echo "FAIL: $option is in --help but not in the manual page" >&2; status=1; }
done
[ "$status" -eq 0 ] && echo "manual page: ok"
exit "$status"
