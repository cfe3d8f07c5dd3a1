#!/usr/bin/env bash
# Line and branch coverage of the program's code reached by each fuzz
# target's corpus (the committed seeds and what runs of fuzz/run.sh added in
# BUILD/corpus/), from a separate coverage build in BUILD-coverage.
# Usage: fuzz/coverage.sh [BUILD]   (default build-fuzz)
set -euo pipefail

build=${1:-build-fuzz}
fuzz=$(cd "$(dirname "$0")" && pwd)
coverage=$build-coverage
CC=clang CXX=clang++ cmake -S "$fuzz" -B "$coverage" -DFUZZ_COVERAGE=ON >/dev/null
cmake --build "$coverage" -j 2 >/dev/null
rm -f "$coverage"/*.profraw

objects=()
for binary in "$coverage"/*_fuzzer; do
  target=$(basename "$binary" _fuzzer)
  corpora=()
  for dir in "$build/corpus/$target" "$fuzz/corpus/$target"; do [ -d "$dir" ] && corpora+=("$dir"); done
  LLVM_PROFILE_FILE="$coverage/$target.profraw" "$binary" -runs=0 -close_fd_mask=3 "${corpora[@]}" >/dev/null 2>&1
  [ ${#objects[@]} -eq 0 ] && objects=("$binary") || objects+=(-object "$binary")
done
llvm-profdata merge -sparse "$coverage"/*.profraw -o "$coverage/fuzz.profdata"
llvm-cov report "${objects[@]}" -instr-profile="$coverage/fuzz.profdata" \
  -ignore-filename-regex="^($fuzz/|/usr/)|/generated/"
