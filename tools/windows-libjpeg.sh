#!/usr/bin/env bash
# Builds libjpeg-turbo for 64-bit Windows from Debian's own source package, as
# a static library with the 6b interface, into DEPS/prefix.
# Usage: tools/windows-libjpeg.sh [DEPS]   (default build-windows/deps)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
exec "$repo/tools/libjpeg-static.sh" "${1:-$repo/build-windows/deps}" \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release
