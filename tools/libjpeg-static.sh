#!/usr/bin/env bash
# Builds Debian's own libjpeg-turbo source package as a static library with the
# 6b interface into DEPS/prefix (lib/libjpeg.a and the four public headers),
# configured with the extra CMake arguments given (a toolchain, instrumentation).
# Does nothing when the library is already there. Without a deb-src entry in
# the system's sources, apt fetches the lists of Debian's sources for the
# suites the system uses into DEPS/apt, leaving the system's own untouched.
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

# A deb-src twin of every enabled Debian archive entry of the system's, in a
# source list of our own under DEPS/apt.
write_source_entries() {
  local list=$1/sources.list.d/deb-src.sources file
  : >"$list"
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:([^\n]* )?deb( |\n|$)/ && /URIs:[^\n]*\/debian(-security)?\/?( |\n|$)/ &&
      !/Enabled: *no/ {
        sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file" >>"$list"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's,^deb \(.*/debian\(-security\)\?/\? .*\)$,deb-src \1,p' /etc/apt/sources.list >"${list%.sources}.list"
  fi
}

# apt's configuration for a private copy of its state: our source list, package
# lists and cache under DEPS/apt, the system's keys for the signatures, and no
# update hooks (they are the system's, for its own lists). Nothing under /etc
# or /var changes, and no root is needed. Sets apt_options.
private_apt_config() {
  local dir=$deps/apt
  rm -rf "$dir" && mkdir -p "$dir/sources.list.d" "$dir/lists/partial" "$dir/cache/archives/partial"
  # As root apt downloads as its sandbox user, which must be able to write there.
  if [ "$(id -u)" -eq 0 ]; then chown _apt "$dir/lists/partial" 2>/dev/null || true; fi
  write_source_entries "$dir"
  cat >"$dir/apt.conf" <<CONF
Dir::Etc::SourceList "$dir/sources.list";
Dir::Etc::SourceParts "$dir/sources.list.d";
Dir::State::Lists "$dir/lists";
Dir::Cache "$dir/cache";
#clear APT::Update::Pre-Invoke;
#clear APT::Update::Post-Invoke;
#clear APT::Update::Post-Invoke-Success;
CONF
  : >"$dir/sources.list"
  apt_options=(-c "$dir/apt.conf")
}

fetch_source() {
  apt_options=()
  if ! apt-get source --print-uris -qq libjpeg-turbo >/dev/null 2>&1; then
    echo "Fetching the lists of Debian's sources into $deps/apt"
    private_apt_config
    apt-get "${apt_options[@]}" update -qq || echo "apt-get update reported errors; trying the source anyway" >&2
  fi
  rm -rf "$deps/src" && mkdir -p "$deps/src"
  # As root apt warns that its sandbox user cannot write here; the download works all the same.
  (cd "$deps/src" && apt-get "${apt_options[@]}" source -qq libjpeg-turbo 2>&1 >/dev/null | grep -v unsandboxed >&2 || true)
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
