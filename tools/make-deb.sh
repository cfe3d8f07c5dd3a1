#!/usr/bin/env bash
# make deb: builds the Debian package with dpkg-buildpackage from a copy of the
# source tree in OUT (default build-deb/src), so the tree itself gets no build
# files. The compiled tree (OUT/obj) is kept between runs: a second package
# build only recompiles what changed. The packages land in OUT.
# Usage: tools/make-deb.sh [OUT]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$source_dir/build-deb}" && cd "${1:-$source_dir/build-deb}" && pwd)

rm -rf "$out/src"
mkdir "$out/src"
# A copy that keeps modification times, so unchanged files are not recompiled.
tar -C "$source_dir" --exclude-vcs --exclude='./build' --exclude='./build-*' --exclude='./obj-*' -cf - . |
  tar -C "$out/src" -xf -

cd "$out/src"
export ORCHARDIA_DEB_BUILDDIR=../obj
export DEB_BUILD_OPTIONS="nocheck parallel=${JOBS:-2} ${DEB_BUILD_OPTIONS:-}"
# No pre-clean: the copy is fresh, and a clean would remove the kept build folder.
dpkg-buildpackage -us -uc -b --no-pre-clean
