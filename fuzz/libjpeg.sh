#!/usr/bin/env bash
# Builds Debian's libjpeg-turbo (the same version the program links) from its
# source package as a static library instrumented like the fuzz targets:
# AddressSanitizer, UBSan and libFuzzer's coverage. The fuzzers then see the
# decoder's branches, and ASan sees any read the library makes past a block.
# No SIMD: assembly is not instrumented, and the C paths are what the fuzzers
# should see. Usage: fuzz/libjpeg.sh DEPS
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined"
CC=clang exec "$repo/tools/libjpeg-static.sh" "${1:?usage: fuzz/libjpeg.sh DEPS}" \
  -DCMAKE_BUILD_TYPE=None -DCMAKE_C_FLAGS="$flags"
