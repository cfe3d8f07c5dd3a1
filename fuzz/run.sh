#!/usr/bin/env bash
# Runs each fuzz target of BUILD for a bounded time from its committed seed
# corpus (fuzz/corpus/<target>/) and prints, per target, the executions, the
# coverage reached and the findings. Exits 1 when any target found a fault.
#
#   fuzz/run.sh [--smoke] [BUILD]      (default build-fuzz)
#
# Normal runs last FUZZ_SECONDS (default 60) a target and keep what they find
# in BUILD/corpus/<target>/, so the next run goes on from there. A smoke run
# (--smoke, for the test suite) replays the seeds and fuzzes FUZZ_SMOKE_SECONDS
# (default 5) from scratch. Crash inputs go to BUILD/findings/<target>/ and the
# fuzzer's log to BUILD/logs/<target>.log. FUZZ_TARGETS limits the targets.
set -uo pipefail

smoke=0
if [ "${1:-}" = "--smoke" ]; then smoke=1; shift; fi
build=$(cd "${1:-build-fuzz}" && pwd) || exit 2
fuzz=$(cd "$(dirname "$0")" && pwd)
targets=${FUZZ_TARGETS:-$(cd "$build" && ls -- *_fuzzer 2>/dev/null | sed 's/_fuzzer$//')}
[ -n "$targets" ] || { echo "run.sh: no fuzz targets in $build" >&2; exit 2; }

# Scratch space: smoke corpora, and the targets' temporary files (TMPDIR),
# removed at the end even when a target crashed.
scratch=$(mktemp -d -p "$([ -w /dev/shm ] && echo /dev/shm || echo /tmp)" orchardia-fuzz-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/tmp"
export TMPDIR=$scratch/tmp
if [ $smoke = 1 ]; then seconds=${FUZZ_SMOKE_SECONDS:-5}; else seconds=${FUZZ_SECONDS:-60}; fi

# The last value of a libFuzzer status field ("cov: 123") in a log.
status_field() { grep -o "$1: [0-9]*" "$2" | tail -n 1 | grep -o '[0-9]*$'; }
final_stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -n 1; }

mkdir -p "$build/logs"
printf '%-14s %10s %9s %14s %9s  %s\n' target executions exec/s "cov (edges)" corpus findings
failed=0
for target in $targets; do
  seeds=$fuzz/corpus/$target
  findings=$build/findings/$target
  log=$build/logs/$target.log
  if [ $smoke = 1 ]; then work=$scratch/corpus/$target; else work=$build/corpus/$target; fi
  mkdir -p "$work" "$findings"
  [ -d "$seeds" ] || seeds=
  before=$(find "$findings" -type f | wc -l)

  # Standard error is closed for the code under test (the decoder's warnings
  # would flood it); libFuzzer and the sanitizers keep their own copy.
  "$build/${target}_fuzzer" "$work" ${seeds:+"$seeds"} -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -close_fd_mask=2 -artifact_prefix="$findings/" \
    >"$log" 2>&1
  status=$?

  edges=$(sed -n 's/.*Loaded 1 modules *(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -n 1)
  found=$(($(find "$findings" -type f | wc -l) - before))
  [ $status -ne 0 ] && [ $found -eq 0 ] && found=1
  printf '%-14s %10s %9s %14s %9s  %s\n' "$target" "$(final_stat number_of_executed_units "$log")" \
    "$(final_stat average_exec_per_sec "$log")" "$(status_field cov "$log")/${edges:-?}" \
    "$(status_field corp "$log")" "$found"
  if [ $found -ne 0 ]; then
    failed=1
    echo "  $target: see $log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written|.* check failed)' "$log" | sed 's/^/  /'
  fi
done
exit $failed
