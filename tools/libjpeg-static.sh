#!/usr/bin/env bash
# Builds Debian's own libjpeg-turbo source package as a static library with the
# 6b interface into DEPS/prefix (lib/libjpeg.a and the four public headers),
# configured with the extra CMake arguments given (a toolchain, instrumentation).
# Does nothing when the library is already there. Fetching the source needs a
# deb-src entry: as root it adds one for the suites the system already uses;
# otherwise it prints the command to run.
# Usage: tools/libjpeg-static.sh DEPS [CMAKE_ARGUMENT...]
set -euo pipefail

deps=$(mkdir -p "$1" && cd "$1" && pwd)
shift
prefix=$deps/prefix
headers=(jpeglib.h jconfig.h jmorecfg.h jerror.h)

have_library() {
  [ -f "$prefix/lib/libjpeg.a" ] || return 1
  for header in "${headers[@]}"; do [ -f "$prefix/include/$header" ] || return 1; done
}

# A deb-src twin of every enabled Debian archive entry, in one file of our own.
add_source_entries() {
  local list=/etc/apt/sources.list.d/orchardia-deb-src.sources
  : >"$list.tmp"
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && [ "$file" != "$list" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:([^\n]* )?deb( |\n|$)/ && /URIs:[^\n]*\/debian(-security)?\/?( |\n|$)/ &&
      !/Enabled: *no/ {
        sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file" >>"$list.tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's,^deb \(.*/debian\(-security\)\?/\? .*\)$,deb-src \1,p' /etc/apt/sources.list >"${list%.sources}.list"
  fi
  mv "$list.tmp" "$list"
  apt-get update -qq || echo "apt-get update reported errors; trying the source anyway" >&2
}

fetch_source() {
  if ! apt-get source --print-uris -qq libjpeg-turbo >/dev/null 2>&1; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "Building libjpeg needs Debian's libjpeg-turbo source; as root, run:" >&2
      echo "  sudo $0 $deps $*" >&2
      exit 1
    fi
    echo "Adding deb-src entries for the configured Debian suites"
    add_source_entries
  fi
  rm -rf "$deps/src" && mkdir -p "$deps/src"
  # As root apt warns that its sandbox user cannot write here; the download works all the same.
  (cd "$deps/src" && apt-get source -qq libjpeg-turbo 2>&1 >/dev/null | grep -v unsandboxed >&2 || true)
}

build_library() {
  local source
  source=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  [ -n "$source" ] || { echo "no libjpeg-turbo source in $deps/src" >&2; exit 1; }
  cmake -S "$source" -B "$deps/libjpeg-build" -DCMAKE_INSTALL_PREFIX="$prefix" -DWITH_SIMD=0 \
    -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 "$@" >/dev/null
  cmake --build "$deps/libjpeg-build" --target jpeg-static -j 2 >/dev/null
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$deps/libjpeg-build/libjpeg.a" "$prefix/lib/"
  cp "$source/jpeglib.h" "$source/jmorecfg.h" "$source/jerror.h" "$deps/libjpeg-build/jconfig.h" \
    "$prefix/include/"
}

have_library && exit 0
echo "Building libjpeg-turbo in $deps"
fetch_source "$@"
build_library "$@"
have_library
echo "libjpeg: $prefix"
