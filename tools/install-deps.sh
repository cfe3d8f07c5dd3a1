#!/usr/bin/env bash
# Installs the Debian packages that building and testing Orchardia need, when
# any is missing. As root it runs apt-get; otherwise it prints the one command
# to run and fails. For the Windows build it then makes libjpeg for Windows when
# missing (tools/windows-libjpeg.sh, into $ORCHARDIA_WINDOWS_DEPS, by default
# build-windows/deps). Usage: tools/install-deps.sh [run|native|deb|windows|all]
#   run      building and running the saver (plus Xvfb and ImageMagick when
#            there is no display, for make run's screenshot)
#   native   run, plus the native tests, the fuzzers and the package tools
#   deb      building the Debian package (make deb)
#   windows  the Windows build and its tests under Wine
set -euo pipefail

run=(cmake make g++ pkg-config libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libxrandr-dev libxft-dev
     libfontconfig-dev fonts-dejavu-core libjpeg62-turbo-dev)
headless=(xvfb imagemagick)
test=(libgtest-dev libjpeg-turbo-progs xvfb xdotool x11-utils x11-xserver-utils openbox xscreensaver xscreensaver-gl
      imagemagick dpkg-dev groff-base)
fuzz=(clang libclang-rt-dev llvm)
package=(debhelper dpkg-dev lintian desktop-file-utils libxml2-utils)
windows=(mingw-w64 wine64 dpkg-dev googletest cmake make xvfb xdotool x11-utils imagemagick nsis icoutils)

case "${1:-native}" in
  run) wanted=("${run[@]}"); [ -n "${DISPLAY:-}" ] || wanted+=("${headless[@]}") ;;
  native) wanted=("${run[@]}" "${test[@]}" "${fuzz[@]}" "${package[@]}") ;;
  deb) wanted=("${run[@]}" "${package[@]}") ;;
  windows) wanted=("${windows[@]}") ;;
  all) wanted=("${run[@]}" "${test[@]}" "${fuzz[@]}" "${package[@]}" "${windows[@]}") ;;
  *) echo "usage: $0 [run|native|deb|windows|all]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Orchardia needs these packages; install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

case "${1:-native}" in
  windows | all) "$(dirname "$0")/windows-libjpeg.sh" "${ORCHARDIA_WINDOWS_DEPS:-build-windows/deps}" ;;
esac
