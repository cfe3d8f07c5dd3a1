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
# When another apt or dpkg holds the lock (an unattended upgrade, a second
# build), it waits for it up to ORCHARDIA_APT_WAIT seconds (default 600).
set -euo pipefail
apt_wait=${ORCHARDIA_APT_WAIT:-600}

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

# apt-get update: apt 2.6 gives up at once when the lists' lock is held, whatever
# DPkg::Lock::Timeout says, so it is tried again every 5 seconds.
update_lists() {
  local log waited=0
  log=$(mktemp)
  until apt-get update -qq -o DPkg::Lock::Timeout="$apt_wait" 2>"$log"; do
    if ! grep -q 'Could not get lock' "$log" || [ "$waited" -ge "$apt_wait" ]; then
      cat "$log" >&2 && rm -f "$log" && return 1
    fi
    [ "$waited" -gt 0 ] || echo "Waiting up to $apt_wait s for another apt or dpkg to finish"
    sleep 5 && waited=$((waited + 5))
  done
  cat "$log" >&2 && rm -f "$log"
}

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
  update_lists
  apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout="$apt_wait" "${missing[@]}"
fi

case "${1:-native}" in
  windows | all) "$(dirname "$0")/windows-libjpeg.sh" "${ORCHARDIA_WINDOWS_DEPS:-build-windows/deps}" ;;
esac
