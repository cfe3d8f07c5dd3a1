#!/usr/bin/env bash
# make install: brings the build folder up to date as the user who owns it (so
# `sudo make install` compiles nothing as root and leaves no root-owned files
# there), then installs its release build, stripped, under PREFIX (and DESTDIR
# when set). BUILD/install_manifest.txt lists what it installed, with DESTDIR,
# for make uninstall. Usage: tools/install.sh BUILD PREFIX
set -euo pipefail
build=$(realpath -m "$1")
prefix=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

# The builder: the build folder's owner, or the source tree's before the first build.
owner=$(stat -c %U "$build" 2>/dev/null || stat -c %U "$source_dir")
as_builder() {
  if [ "$(id -un)" = "$owner" ]; then "$@"; else runuser -u "$owner" -- "$@"; fi
}
as_builder make --no-print-directory -C "$source_dir" build BUILD="$build"

build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
case "$build_type" in
  Release | RelWithDebInfo | MinSizeRel) ;;
  *) echo "make install: $build is a '$build_type' build; install a release build (BUILD=... CMAKE_FLAGS=-DCMAKE_BUILD_TYPE=Release)" >&2
     exit 1 ;;
esac
cmake --install "$build" --prefix "$prefix" --strip
# cmake lists the files without DESTDIR: make uninstall must remove the staged
# copies, never the same paths on this system. And it wrote the list as root.
manifest=$build/install_manifest.txt
if [ -n "${DESTDIR:-}" ]; then
  awk -v d="$DESTDIR" 'index($0, d) == 1 { print; next } { print d $0 }' "$manifest" >"$manifest.new"
  mv "$manifest.new" "$manifest"
fi
chown "$owner:" "$manifest"
