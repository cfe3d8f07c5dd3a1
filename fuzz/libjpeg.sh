#!/usr/bin/env bash
# Builds Debian's libjpeg-turbo (the same version the program links) from its
# source package as a static library instrumented like the fuzz targets:
# AddressSanitizer, UBSan and libFuzzer's coverage. The fuzzers then see the
# decoder's branches, and ASan sees any read the library makes past a block.
# Installs into DEPS/prefix (lib/libjpeg.a and the four public headers); does
# nothing when it is already there. Needs the deb-src entry that
# tools/windows-libjpeg.sh adds.
# Usage: fuzz/libjpeg.sh DEPS
set -euo pipefail

deps=$(mkdir -p "$1" && cd "$1" && pwd)
prefix=$deps/prefix
headers=(jpeglib.h jconfig.h jmorecfg.h jerror.h)

have_library() {
  [ -f "$prefix/lib/libjpeg.a" ] || return 1
  for header in "${headers[@]}"; do [ -f "$prefix/include/$header" ] || return 1; done
}

fetch_source() {
  if ! apt-get source --print-uris -qq libjpeg-turbo >/dev/null 2>&1; then
    echo "libjpeg.sh: no deb-src entry for Debian's libjpeg-turbo; run tools/windows-libjpeg.sh as root once" >&2
    exit 1
  fi
  rm -rf "$deps/src" && mkdir -p "$deps/src"
  # As root apt warns that its sandbox user cannot write here; the download works all the same.
  (cd "$deps/src" && apt-get source -qq libjpeg-turbo 2>&1 >/dev/null | grep -v unsandboxed >&2 || true)
}

build_library() {
  local source flags
  source=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  [ -n "$source" ] || { echo "libjpeg.sh: no libjpeg-turbo source in $deps/src" >&2; exit 1; }
  # No SIMD: assembly is not instrumented, and the C paths are what the fuzzers should see.
  flags="-O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined"
  CC=clang cmake -S "$source" -B "$deps/libjpeg-build" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=None -DCMAKE_C_FLAGS="$flags" -DWITH_SIMD=0 -DENABLE_SHARED=0 \
    -DWITH_TURBOJPEG=0 >/dev/null
  cmake --build "$deps/libjpeg-build" --target jpeg-static -j 2 >/dev/null
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$deps/libjpeg-build/libjpeg.a" "$prefix/lib/"
  cp "$source/jpeglib.h" "$source/jmorecfg.h" "$source/jerror.h" "$deps/libjpeg-build/jconfig.h" \
    "$prefix/include/"
}

have_library && exit 0
echo "Building an instrumented libjpeg-turbo in $deps"
fetch_source
build_library
have_library
