#!/usr/bin/env bash
# The manual page renders without a single troff warning at the widths man
# uses, and lists the same options as `orchardia --help`.
set -uo pipefail
: "${ORCHARDIA:?set by ctest}" "${ORCHARDIA_SOURCE:?set by ctest}"
page=$ORCHARDIA_SOURCE/packaging/orchardia.6
status=0
for width in 65n 78n 98n; do
  warnings=$(groff -man -Tutf8 -ww -rLL=$width -z "$page" 2>&1)
  [ -z "$warnings" ] || { echo "FAIL: troff warnings at line length $width:" >&2; echo "$warnings" >&2; status=1; }
done
# The same options, no more and no fewer, in --help and in the manual page.
options() { grep -oE -- '(^|[ ,(])--[a-z][a-z-]*' | tr -d ' ,(' | sort -u; }
diff <("$ORCHARDIA" --help | options) <(groff -man -Tascii -rHY=0 -rLL=300n "$page" 2>/dev/null | col -b | options) >&2 ||
  { echo "FAIL: --help (<) and the manual page (>) list different options" >&2; status=1; }
[ "$status" -eq 0 ] && echo "manual page: ok"
exit "$status"
