#!/usr/bin/env bash
# The Debian package, built from this tree the way `make deb` builds it (the
# compiled tree in BUILD/deb is kept, so a second run only recompiles what
# changed): its control fields, its files, lintian. dpkg installs it into a
# scratch root (with ORCHARDIA_SYSTEM_TESTS=1, as root, into the system
# itself), runs it from there and removes it without a trace. Then make install
# and make uninstall put in and take out the same files.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
: "${ORCHARDIA_SOURCE:?set by ctest}"
keep_going=1

version=$(sed -n 's/^project(Orchardia VERSION \([0-9.]*\).*/\1/p' "$ORCHARDIA_SOURCE/CMakeLists.txt")
out=$ORCHARDIA_BUILD/deb
deb=$out/orchardia_${version}_$(dpkg --print-architecture).deb
rm -f "$out"/*.deb
"$ORCHARDIA_SOURCE/tools/make-deb.sh" "$out" >"$work/make-deb.log" 2>&1 ||
  { tail -30 "$work/make-deb.log" >&2; fail "make-deb.sh failed"; exit 1; }
[ -f "$deb" ] || { ls "$out" >&2; fail "no $deb (the changelog's version is not the project's $version?)"; exit 1; }

# Control fields: the version is the project's, Depends is computed from the binary.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Recommends)" = "xscreensaver, xscreensaver-gl" ] || fail "Recommends: $(field Recommends)"
for library in libc6 libopengl0 libglx0 libglu1-mesa libx11-6 libxrandr2 libxft2 libjpeg62-turbo; do
  field Depends | grep -Eq "(^|, )$library( |,|$)" || fail "Depends lacks $library: $(field Depends)"
done

# Files: where Debian's own xscreensaver hacks keep theirs, nothing else.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sort >"$work/files"
sort >"$work/expected" <<'FILES'
./usr/bin/orchardia -> ../libexec/xscreensaver/orchardia
./usr/libexec/xscreensaver/orchardia
./usr/share/applications/orchardia-settings.desktop
./usr/share/doc/orchardia/README.Debian
./usr/share/doc/orchardia/changelog.gz
./usr/share/doc/orchardia/copyright
./usr/share/man/man6/orchardia.6.gz
./usr/share/xscreensaver/config/orchardia.xml
FILES
diff -u "$work/expected" "$work/files" >&2 || fail "the package's files differ from the list above"

dpkg-deb -x "$deb" "$work/unpacked"
# not_stripped ELF: true when the file still carries its symbol table or debug info.
not_stripped() { readelf -S "$1" | grep -Eq '\.(symtab|debug_info)\b'; }
! not_stripped "$work/unpacked/usr/libexec/xscreensaver/orchardia" || fail "the packaged program is not stripped"
[ -n "$(find "$out" -name "orchardia-dbgsym_${version}_*.deb")" ] || fail "no orchardia-dbgsym package"
desktop-file-validate "$work/unpacked/usr/share/applications/"*.desktop || fail "desktop-file-validate complains"
! grep -h '^Exec=' "$work/unpacked/usr/share/applications/"*.desktop | grep -q -- 'root' ||
  fail "a menu entry starts a run on the root window"
grep -q '^Exec=orchardia /c$' "$work/unpacked/usr/share/applications/orchardia-settings.desktop" ||
  fail "the settings entry does not open the settings dialog"
xmllint --noout "$work/unpacked/usr/share/xscreensaver/config/orchardia.xml" || fail "orchardia.xml is not well-formed"
grep -q 'arg-unset="--no-mirrors"' "$work/unpacked/usr/share/xscreensaver/config/orchardia.xml" ||
  fail "the settings file's mirror option does not pass --no-mirrors"
grep -q '<boolean id="showfps" _label="Show frame rate" arg-set="--fps"/>' \
  "$work/unpacked/usr/share/xscreensaver/config/orchardia.xml" || fail "the settings file has no \"Show frame rate\""
grep -q 'orchardia --add-to-xscreensaver' "$work/unpacked/usr/share/doc/orchardia/README.Debian" ||
  fail "README.Debian does not say how to join xscreensaver's list"

lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
cat "$work/lintian"
! grep -q '^E:' "$work/lintian" || fail "lintian reports errors"

# installed_package ROOT: dpkg -i into ROOT (empty: the system itself; else a
# scratch root with a database of its own, where the system's dpkg database,
# log and files stay as they were), a few seconds of the installed program on
# the root window, dpkg -r; nothing of the package is left, the user's settings survive.
installed_package() {
  local root=$1
  dpkg_in_root=(dpkg)
  if [ -n "$root" ]; then
    mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
    : >"$root/var/lib/dpkg/status"
    dpkg_in_root=(dpkg --root="$root" --log="$work/dpkg-root.log" --force-not-root --force-depends)
  fi
  "${dpkg_in_root[@]}" -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "dpkg -i failed"; return; }
  trap '"${dpkg_in_root[@]}" -r orchardia >/dev/null 2>&1; cleanup' EXIT
  [ "$(readlink -f "$root/usr/bin/orchardia")" = "$root/usr/libexec/xscreensaver/orchardia" ] ||
    fail "the installed /usr/bin/orchardia is $(readlink -f "$root/usr/bin/orchardia")"
  [ -n "$root" ] || [ "$(command -v orchardia)" = /usr/bin/orchardia ] ||
    fail "orchardia on the PATH is $(command -v orchardia)"
  write_settings 1
  cp "$XDG_CONFIG_HOME/orchardia/user.reg" "$work/user.reg"
  start_xvfb 640x480
  ORCHARDIA=$root/usr/bin/orchardia run_and_shoot installed --root
  shows_sprites "$work/installed.png" || fail "the installed program drew no sprites"
  [ ! -s "$work/stderr" ] || fail "the installed program wrote: $(cat "$work/stderr")"

  "${dpkg_in_root[@]}" -r orchardia >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "dpkg -r failed"; }
  trap cleanup EXIT
  case "$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${db:Status-Status}' orchardia 2>/dev/null)" in
    "" | not-installed) ;;
    *) fail "dpkg -r left orchardia $(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${db:Status-Status}' orchardia)" ;;
  esac
  while read -r path; do
    if [ -e "$root$path" ] || [ -L "$root$path" ]; then fail "dpkg -r left $path"; fi
  done < <(sed 's/^\.//; s/ -> .*//' "$work/files")
  cmp -s "$work/user.reg" "$XDG_CONFIG_HOME/orchardia/user.reg" || fail "the user's settings changed"
}

# make_install: make install and make uninstall of the tested build folder into
# a staging folder; the folder's own install manifest is put back afterwards.
make_install() {
  local manifest=$ORCHARDIA_BUILD/install_manifest.txt dest=$work/dest
  if ! grep -Eq '^CMAKE_BUILD_TYPE:[A-Z]*=(Release|RelWithDebInfo|MinSizeRel)$' "$ORCHARDIA_BUILD/CMakeCache.txt"; then
    echo "not a release build folder: make install skipped"
    return
  fi
  [ ! -f "$manifest" ] || cp -p "$manifest" "$work/manifest"
  unset MAKEFLAGS MFLAGS
  make -C "$ORCHARDIA_SOURCE" --no-print-directory install BUILD="$ORCHARDIA_BUILD" PREFIX=/usr DESTDIR="$dest" \
    >"$work/install.log" 2>&1 || { tail -20 "$work/install.log" >&2; fail "make install failed"; }
  (cd "$dest" && find . ! -type d | sort) >"$work/installed"
  sort >"$work/expected" <<'FILES'
./usr/bin/orchardia
./usr/share/applications/orchardia-settings.desktop
./usr/share/man/man6/orchardia.6
./usr/share/xscreensaver/config/orchardia.xml
FILES
  diff -u "$work/expected" "$work/installed" >&2 || fail "make install put other files"
  ! not_stripped "$dest/usr/bin/orchardia" || fail "make install put an unstripped program"
  make -C "$ORCHARDIA_SOURCE" --no-print-directory uninstall BUILD="$ORCHARDIA_BUILD" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "make uninstall failed"; }
  [ -z "$(find "$dest" ! -type d)" ] || fail "make uninstall left $(find "$dest" ! -type d)"
  if [ -f "$work/manifest" ]; then cp -p "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
}

# The system-wide install changes the machine's packages: only when asked (CI),
# as root, and with no orchardia installed already.
root=$work/root
if [ -n "${ORCHARDIA_SYSTEM_TESTS:-}" ]; then
  if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W -f='${Status}' orchardia 2>/dev/null | grep -q 'install ok'; then root=""
  else echo "not root, or orchardia installed already: the package goes into a scratch root"; fi
fi
installed_package "$root"
make_install
end_checks deb
